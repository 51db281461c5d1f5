-- Captures into one batch take their turns: the one after sees the cells the one before added.
SELECT id FROM batches WHERE name = :name FOR UPDATE
