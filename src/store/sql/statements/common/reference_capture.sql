-- The sorting capture in force of the cell that the client UUID names.
SELECT id FROM measurements
WHERE client_uuid = :uuid AND cell_id = :cell AND kind = 'sort' AND withdrawn = FALSE
