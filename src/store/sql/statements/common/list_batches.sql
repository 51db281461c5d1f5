SELECT id, name, created_utc_ms, notes, grades_json FROM batches ORDER BY created_utc_ms, id
