SELECT position, inspection_id, resistance_mohm, set_utc_ms, station FROM block_baselines
WHERE string_id = :string ORDER BY position
