-- Each cell in the range of numbers asked, with its latest sorting capture in force; a cell whose
-- every capture was withdrawn is left out. The pack the cell is in, if any, follows; then its
-- reference reading (the capture chosen as taken after charge, which sorts first while it is in
-- force, else its first capture) and its latest recheck in force, if any; last, how its grade
-- was regraded. Each is looked up in the index measurements_latest: for 100,000 cells in half the
-- time of sorting all the measurements of the batch.
SELECT c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade, p.name,
    r.client_uuid, r.measured_utc_ms, r.voltage_v, r.temperature_c,
    k.client_uuid, k.measured_utc_ms, k.voltage_v, k.temperature_c,
    m.captured_grade, m.regraded_utc_ms
FROM cells c
JOIN LATERAL (
    SELECT * FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'sort' AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1) m ON TRUE
JOIN LATERAL (
    SELECT l.client_uuid, l.measured_utc_ms, l.voltage_v, l.temperature_c FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'sort' AND l.withdrawn = FALSE
    ORDER BY l.id = c.reference_measurement_id DESC, l.measured_utc_ms, l.id LIMIT 1) r ON TRUE
LEFT JOIN LATERAL (
    SELECT l.client_uuid, l.measured_utc_ms, l.voltage_v, l.temperature_c FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'recheck' AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1) k ON TRUE
LEFT JOIN pack_cells pc ON pc.cell_id = c.id
LEFT JOIN packs p ON p.id = pc.pack_id
WHERE c.batch_id = :batch AND c.number BETWEEN :first AND :last
ORDER BY c.number
