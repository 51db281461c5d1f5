UPDATE queued_captures SET rejected_reason = NULL WHERE rejected_reason IS NOT NULL
