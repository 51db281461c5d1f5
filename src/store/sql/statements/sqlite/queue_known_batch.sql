SELECT name, created_utc_ms, notes, grades_json FROM known_batches WHERE name = :name
