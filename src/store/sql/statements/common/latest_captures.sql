-- Each cell of the batch with its latest sorting capture in force: the row id of the capture, the
-- figures it is graded by and its grade.
SELECT m.id, c.number, c.label, m.voltage_v, m.resistance_mohm, m.grade, p.name
FROM cells c
JOIN measurements m ON m.id = (
    SELECT l.id FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'sort' AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
LEFT JOIN pack_cells pc ON pc.cell_id = c.id
LEFT JOIN packs p ON p.id = pc.pack_id
WHERE c.batch_id = :batch
ORDER BY c.number
