-- The offline queue of one station: captures waiting for the server, in the order taken.
CREATE TABLE IF NOT EXISTS queued_captures (
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    client_uuid TEXT NOT NULL UNIQUE,
    capture_json TEXT NOT NULL,
    rejected_reason TEXT
)
