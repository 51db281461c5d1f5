UPDATE batches SET grades_json = :grades, grades_utc_ms = :now, grades_station = :station WHERE id = :batch
