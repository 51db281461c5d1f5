INSERT OR REPLACE INTO known_batches (name, created_utc_ms, notes, grades_json) VALUES (:name, :created, :notes, :grades)
