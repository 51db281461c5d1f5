SELECT version, min_compatible FROM schema_migrations ORDER BY version DESC LIMIT 1
