INSERT INTO batches (name, created_utc_ms, notes, grades_json)
VALUES (:name, :created, :notes, :grades)
ON CONFLICT (name) DO NOTHING
RETURNING name
