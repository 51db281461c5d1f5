SELECT capture_json, rejected_reason FROM queued_captures ORDER BY seq
