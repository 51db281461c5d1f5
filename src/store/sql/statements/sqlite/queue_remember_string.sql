INSERT OR REPLACE INTO known_strings (site, name, seen_utc_ms, history_json) VALUES (:site, :name, :seen, :history)
