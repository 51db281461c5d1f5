-- Each cell with its latest measurement that was not withdrawn; a cell whose every
-- measurement was withdrawn is left out. The pack the cell is in, if any, comes last.
SELECT c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade, p.name
FROM cells c
LEFT JOIN pack_cells pc ON pc.cell_id = c.id
LEFT JOIN packs p ON p.id = pc.pack_id
JOIN measurements m ON m.id = (
    SELECT l.id FROM measurements l
    WHERE l.cell_id = c.id AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
WHERE c.batch_id = :batch
ORDER BY c.number
