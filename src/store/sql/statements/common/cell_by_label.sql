SELECT id, number, label FROM cells WHERE batch_id = :batch AND label = :label
