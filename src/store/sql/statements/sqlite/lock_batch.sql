-- BEGIN IMMEDIATE already holds the write lock.
SELECT id FROM batches WHERE name = :name
