-- Programs of schema 1 or newer can use a database at this version.
-- min_compatible: 1
-- Packs built from a batch: S groups in series of P cells in parallel. A cell sits in one pack
-- at most.
CREATE TABLE packs (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    batch_id INTEGER NOT NULL REFERENCES batches (id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    series INTEGER NOT NULL CHECK (series > 0),
    parallel INTEGER NOT NULL CHECK (parallel > 0),
    created_utc_ms INTEGER NOT NULL,
    UNIQUE (batch_id, name)
);
CREATE TABLE pack_cells (
    pack_id INTEGER NOT NULL REFERENCES packs (id) ON DELETE CASCADE,
    cell_id INTEGER NOT NULL UNIQUE REFERENCES cells (id) ON DELETE CASCADE,
    group_index INTEGER NOT NULL,
    position INTEGER NOT NULL,
    PRIMARY KEY (pack_id, group_index, position)
);
