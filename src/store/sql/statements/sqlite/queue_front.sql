SELECT capture_json FROM queued_captures WHERE rejected_reason IS NULL ORDER BY seq LIMIT 1
