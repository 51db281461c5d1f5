-- The batches this station has seen on the server, so that it can sort into one while the server is away.
CREATE TABLE IF NOT EXISTS known_batches (
    name TEXT PRIMARY KEY,
    created_utc_ms INTEGER NOT NULL,
    notes TEXT NOT NULL,
    grades_json TEXT NOT NULL
)
