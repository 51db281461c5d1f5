UPDATE known_batches SET grades_json = :grades WHERE name = :name
