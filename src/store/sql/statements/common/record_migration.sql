INSERT INTO schema_migrations (version, min_compatible, applied_utc_ms)
VALUES (:version, :min_compatible, :now)
