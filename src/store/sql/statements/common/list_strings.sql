-- The strings of the site named, or of every site for none.
SELECT t.name, s.name, s.blocks, s.nominal_v, s.chemistry, s.cells_per_block, s.straps, s.installed_date,
    s.policies_json, s.created_utc_ms
FROM battery_strings s JOIN sites t ON t.id = s.site_id
WHERE t.name = COALESCE(:site, t.name) AND s.name = COALESCE(:string, s.name)
ORDER BY t.name, s.name
