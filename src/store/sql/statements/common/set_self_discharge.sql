UPDATE batches
SET self_discharge_limit_mv_per_day = :limit_mv_per_day, self_discharge_rest_days = :rest_days
WHERE id = :batch
