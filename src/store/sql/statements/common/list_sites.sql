SELECT name, notes, created_utc_ms FROM sites ORDER BY name
