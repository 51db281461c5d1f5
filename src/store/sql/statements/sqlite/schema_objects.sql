SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite_%'
