-- Each cell with its latest measurement that was not withdrawn; a cell whose every
-- measurement was withdrawn is left out. One pass over the batch instead of a lookup per cell.
-- The pack the cell is in, if any, comes last.
SELECT DISTINCT ON (c.number)
    c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade, p.name
FROM cells c
JOIN measurements m ON m.cell_id = c.id AND m.withdrawn = FALSE
LEFT JOIN pack_cells pc ON pc.cell_id = c.id
LEFT JOIN packs p ON p.id = pc.pack_id
WHERE c.batch_id = :batch
ORDER BY c.number, m.measured_utc_ms DESC, m.id DESC
