-- A reading sent again from the queue is stored once.
INSERT INTO string_readings (inspection_id, client_uuid, kind, position, missing, station, operator,
    measured_utc_ms, voltage_v, resistance_mohm, voltage_text, resistance_text, range_text, temperature_c)
VALUES (:inspection, :uuid, :kind, :position, :missing, :station, :operator, :measured, :voltage,
    :resistance, :voltage_text, :resistance_text, :range_text, :temperature)
ON CONFLICT (client_uuid) DO NOTHING
