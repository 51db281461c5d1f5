-- The first cell numbered above the one given that a sorting capture in force keeps in the batch
-- and that has no recheck in force taken since the time given.
SELECT c.number FROM cells c
WHERE c.batch_id = :batch AND c.number > :after
    AND EXISTS (SELECT 1 FROM measurements m
        WHERE m.cell_id = c.id AND m.kind = 'sort' AND m.withdrawn = FALSE)
    AND NOT EXISTS (SELECT 1 FROM measurements m
        WHERE m.cell_id = c.id AND m.kind = 'recheck' AND m.withdrawn = FALSE AND m.measured_utc_ms >= :since)
ORDER BY c.number LIMIT 1
