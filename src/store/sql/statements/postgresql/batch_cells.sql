-- Each cell with its latest measurement that was not withdrawn; a cell whose every
-- measurement was withdrawn is left out. One pass over the batch instead of a lookup per cell.
SELECT DISTINCT ON (c.number)
    c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade
FROM cells c
JOIN measurements m ON m.cell_id = c.id AND m.withdrawn = FALSE
WHERE c.batch_id = :batch
ORDER BY c.number, m.measured_utc_ms DESC, m.id DESC
