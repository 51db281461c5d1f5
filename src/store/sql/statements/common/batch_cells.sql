-- Each cell with its latest measurement that was not withdrawn; a cell whose every
-- measurement was withdrawn is left out.
SELECT c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade
FROM cells c
JOIN measurements m ON m.id = (
    SELECT l.id FROM measurements l
    WHERE l.cell_id = c.id AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
WHERE c.batch_id = :batch
ORDER BY c.number
