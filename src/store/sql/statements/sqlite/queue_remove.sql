DELETE FROM queued_captures WHERE client_uuid = :uuid
