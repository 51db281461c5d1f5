INSERT INTO battery_strings (site_id, name, blocks, nominal_v, chemistry, cells_per_block, straps, installed_date,
    policies_json, created_utc_ms)
VALUES (:site, :name, :blocks, :nominal, :chemistry, :cells_per_block, :straps, :installed, :policies, :created)
