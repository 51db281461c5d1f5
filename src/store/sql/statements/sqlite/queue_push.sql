INSERT INTO queued_captures (client_uuid, capture_json) VALUES (:uuid, :capture)
