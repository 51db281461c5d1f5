SELECT c.number, c.label FROM measurements m JOIN cells c ON c.id = m.cell_id
WHERE m.client_uuid = :uuid
