DELETE FROM queued_captures WHERE client_uuid = :uuid AND rejected_reason IS NULL
