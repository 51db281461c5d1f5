-- The first reading of an inspection makes it; the others find it by its UUID.
INSERT INTO inspections (string_id, client_uuid, started_utc_ms, station, operator, ambient_c, notes)
VALUES (:string_id, :inspection_uuid, :started, :station, :operator, :ambient, :notes)
ON CONFLICT (client_uuid) DO NOTHING
