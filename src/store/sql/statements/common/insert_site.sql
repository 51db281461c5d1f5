INSERT INTO sites (name, notes, created_utc_ms) VALUES (:name, :notes, :created)
