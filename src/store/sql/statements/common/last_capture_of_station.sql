-- The latest capture of the kind (sort or recheck) in force that the station took into the batch.
SELECT m.id, c.number, c.label, m.client_uuid
FROM measurements m JOIN cells c ON c.id = m.cell_id
WHERE c.batch_id = :batch AND m.station = :station AND m.kind = :kind AND m.withdrawn = FALSE
ORDER BY m.id DESC LIMIT 1
