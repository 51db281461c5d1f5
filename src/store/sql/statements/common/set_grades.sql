UPDATE batches SET grades_json = :grades WHERE id = :batch
