SELECT id FROM sites WHERE name = :name
