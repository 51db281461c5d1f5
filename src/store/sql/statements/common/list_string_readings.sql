-- Every reading of the inspections of a string, or of one inspection, retests too: by
-- inspection, in the order of the walk, the readings of each place in the order taken.
SELECT r.inspection_id, r.client_uuid, r.kind, r.position, r.missing, r.station, r.operator, r.measured_utc_ms,
    r.voltage_v, r.resistance_mohm, r.voltage_text, r.resistance_text, r.range_text, r.temperature_c,
    i.client_uuid
FROM string_readings r JOIN inspections i ON i.id = r.inspection_id
WHERE i.string_id = COALESCE(:string, i.string_id) AND r.inspection_id = COALESCE(:inspection, r.inspection_id)
ORDER BY i.started_utc_ms, r.inspection_id, r.position, r.kind, r.measured_utc_ms, r.id
