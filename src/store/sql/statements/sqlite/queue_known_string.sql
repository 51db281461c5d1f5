SELECT seen_utc_ms, history_json FROM known_strings WHERE site = :site AND name = :name
