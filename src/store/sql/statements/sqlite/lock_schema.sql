-- BEGIN IMMEDIATE already holds the write lock.
SELECT 1
