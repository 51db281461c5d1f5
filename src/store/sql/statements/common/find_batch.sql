SELECT id, name, created_utc_ms, notes, grades_json FROM batches WHERE name = :name
