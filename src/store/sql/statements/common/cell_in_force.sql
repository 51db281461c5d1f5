-- Whether a sorting capture in force keeps the cell in its batch.
SELECT 1 FROM measurements WHERE cell_id = :cell AND kind = 'sort' AND withdrawn = FALSE LIMIT 1
