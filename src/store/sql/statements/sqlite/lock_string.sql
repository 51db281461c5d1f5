-- BEGIN IMMEDIATE already holds the write lock.
SELECT id FROM battery_strings WHERE id = :string
