-- Each cell in the range of numbers asked, with its latest sorting capture in force; a cell whose
-- every capture was withdrawn is left out. The pack the cell is in, if any, follows; then its
-- reference reading (the capture chosen as taken after charge while it is in force, else its
-- first capture) and its latest recheck in force, if any; last, how its grade was regraded.
SELECT c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade, p.name,
    r.client_uuid, r.measured_utc_ms, r.voltage_v, r.temperature_c,
    k.client_uuid, k.measured_utc_ms, k.voltage_v, k.temperature_c,
    m.captured_grade, m.regraded_utc_ms
FROM cells c
LEFT JOIN pack_cells pc ON pc.cell_id = c.id
LEFT JOIN packs p ON p.id = pc.pack_id
JOIN measurements m ON m.id = (
    SELECT l.id FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'sort' AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
JOIN measurements r ON r.id = COALESCE(
    (SELECT f.id FROM measurements f
     WHERE f.id = c.reference_measurement_id AND f.kind = 'sort' AND f.withdrawn = FALSE),
    (SELECT f.id FROM measurements f
     WHERE f.cell_id = c.id AND f.kind = 'sort' AND f.withdrawn = FALSE
     ORDER BY f.measured_utc_ms, f.id LIMIT 1))
LEFT JOIN measurements k ON k.id = (
    SELECT l.id FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'recheck' AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
WHERE c.batch_id = :batch AND c.number BETWEEN :first AND :last
ORDER BY c.number
