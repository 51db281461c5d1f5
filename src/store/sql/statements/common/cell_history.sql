-- Every measurement of the cell, withdrawn ones too, in the order they were taken.
SELECT client_uuid, station, operator, measured_utc_ms, voltage_v, resistance_mohm, voltage_text,
    resistance_text, range_text, temperature_c, grade, captured_grade, regraded_utc_ms, kind, withdrawn
FROM measurements WHERE cell_id = :cell
ORDER BY measured_utc_ms, id
