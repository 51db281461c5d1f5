UPDATE queued_captures SET rejected_reason = :reason WHERE client_uuid = :uuid AND rejected_reason IS NULL
