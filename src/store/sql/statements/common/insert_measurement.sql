INSERT INTO measurements (cell_id, client_uuid, station, operator, measured_utc_ms, voltage_v,
    resistance_mohm, voltage_text, resistance_text, range_text, temperature_c, grade, kind)
VALUES (:cell, :uuid, :station, :operator, :measured, :voltage, :resistance, :voltage_text,
    :resistance_text, :range_text, :temperature, :grade, :kind)
