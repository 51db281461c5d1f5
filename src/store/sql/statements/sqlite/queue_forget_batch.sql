DELETE FROM known_batches WHERE name = :name
