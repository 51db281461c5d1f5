UPDATE battery_strings SET blocks = :blocks, nominal_v = :nominal, chemistry = :chemistry,
    cells_per_block = :cells_per_block, straps = :straps, installed_date = :installed, policies_json = :policies
WHERE id = :string
