-- The inspections of a string, or the one inspection asked for; the earliest first.
SELECT i.id, i.client_uuid, t.name, s.name, i.started_utc_ms, i.station, i.operator, i.ambient_c, i.notes
FROM inspections i JOIN battery_strings s ON s.id = i.string_id JOIN sites t ON t.id = s.site_id
WHERE i.string_id = COALESCE(:string, i.string_id) AND i.id = COALESCE(:id, i.id)
ORDER BY i.started_utc_ms, i.id
