SELECT id, name, created_utc_ms, notes, grades_json, self_discharge_limit_mv_per_day, self_discharge_rest_days,
    grades_utc_ms, grades_station
FROM batches WHERE name = :name
