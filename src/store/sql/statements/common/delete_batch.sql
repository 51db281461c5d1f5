DELETE FROM batches WHERE id = :batch
