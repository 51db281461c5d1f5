INSERT INTO block_baselines (string_id, position, inspection_id, resistance_mohm, set_utc_ms, station)
VALUES (:string, :position, :inspection, :resistance, :set, :station)
ON CONFLICT (string_id, position) DO UPDATE SET inspection_id = excluded.inspection_id,
    resistance_mohm = excluded.resistance_mohm, set_utc_ms = excluded.set_utc_ms, station = excluded.station
