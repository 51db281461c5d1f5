-- The battery strings this station has seen on the server, with all their readings then, so that
-- it can inspect one while the server is away.
CREATE TABLE IF NOT EXISTS known_strings (
    site TEXT NOT NULL,
    name TEXT NOT NULL,
    seen_utc_ms INTEGER NOT NULL,
    history_json TEXT NOT NULL,
    PRIMARY KEY (site, name)
)
