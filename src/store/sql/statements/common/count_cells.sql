SELECT COUNT(*) FROM cells WHERE batch_id = :batch
