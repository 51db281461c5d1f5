SELECT COUNT(*) - COUNT(rejected_reason), COUNT(rejected_reason) FROM queued_captures
