-- The grade tables that the current one of the batch replaced, in the order they were replaced.
SELECT grades_json, effective_utc_ms, station FROM earlier_grade_tables WHERE batch_id = :batch ORDER BY id
