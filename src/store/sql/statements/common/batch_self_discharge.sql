SELECT self_discharge_limit_mv_per_day, self_discharge_rest_days FROM batches WHERE id = :batch
