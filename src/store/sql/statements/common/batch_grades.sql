SELECT grades_json FROM batches WHERE id = :batch
