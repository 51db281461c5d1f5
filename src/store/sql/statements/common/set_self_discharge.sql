UPDATE batches SET self_discharge_mv_per_day = :mv_per_day, self_discharge_rest_days = :rest_days
WHERE id = :batch
