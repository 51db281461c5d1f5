SELECT id FROM inspections WHERE client_uuid = :uuid
