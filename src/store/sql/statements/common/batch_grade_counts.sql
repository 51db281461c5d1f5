-- Cells per grade of each cell's latest sorting capture that was not withdrawn.
SELECT c.batch_id, m.grade, COUNT(*)
FROM cells c
JOIN measurements m ON m.id = (
    SELECT l.id FROM measurements l
    WHERE l.cell_id = c.id AND l.kind = 'sort' AND l.withdrawn = FALSE
    ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
GROUP BY c.batch_id, m.grade
