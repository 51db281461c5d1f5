-- Stations that open the database at once take their turns to migrate it.
SELECT pg_advisory_xact_lock(5614720)
