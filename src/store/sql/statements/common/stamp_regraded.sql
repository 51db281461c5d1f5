-- The latest sorting capture in force of each cell, where it holds the figures to grade it by:
-- graded again now, under the current grade table of the batch.
UPDATE measurements SET regraded_utc_ms = :now
WHERE voltage_v IS NOT NULL AND resistance_mohm IS NOT NULL AND id IN (
    SELECT (SELECT l.id FROM measurements l
            WHERE l.cell_id = c.id AND l.kind = 'sort' AND l.withdrawn = FALSE
            ORDER BY l.measured_utc_ms DESC, l.id DESC LIMIT 1)
    FROM cells c WHERE c.batch_id = :batch)
