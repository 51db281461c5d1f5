-- The current grade table of the batch, kept as an earlier one before another replaces it.
INSERT INTO earlier_grade_tables (batch_id, grades_json, effective_utc_ms, station)
SELECT id, grades_json, grades_utc_ms, grades_station FROM batches WHERE id = :batch
