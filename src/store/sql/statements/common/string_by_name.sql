SELECT s.id, s.blocks, s.straps FROM battery_strings s JOIN sites t ON t.id = s.site_id
WHERE t.name = :site AND s.name = :string
