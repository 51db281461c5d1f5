-- The grade table of a new batch takes effect as it is created.
INSERT INTO batches (name, created_utc_ms, notes, grades_json, grades_utc_ms, grades_station)
VALUES (:name, :created, :notes, :grades, :grades_from, :station)
ON CONFLICT (name) DO NOTHING
RETURNING name
