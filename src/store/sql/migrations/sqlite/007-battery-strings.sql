-- Programs of schema 6 or newer can use a database at this version.
-- min_compatible: 6
-- Battery strings: a site holds strings of blocks numbered 1..blocks, joined by straps (strap n
-- joins blocks n and n + 1). An inspection is one dated walk of a string; each capture of it is a
-- reading of a block or a strap, or a block marked missing. A retest adds a reading: the latest
-- of a place is the one in force, the earlier ones are its history, nothing is deleted. A block's
-- baseline is chosen (from an inspection, or typed) only where the default rule is not wanted.
-- Programs of schema 6 do not know these tables and leave them alone.
CREATE TABLE sites (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    name TEXT NOT NULL UNIQUE,
    notes TEXT NOT NULL DEFAULT '',
    created_utc_ms INTEGER NOT NULL
);
CREATE TABLE battery_strings (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    site_id INTEGER NOT NULL REFERENCES sites (id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    blocks INTEGER NOT NULL CHECK (blocks BETWEEN 1 AND 1000),
    nominal_v REAL NOT NULL CHECK (nominal_v IN (2, 6, 12)),
    chemistry TEXT NOT NULL CHECK (chemistry IN ('vla', 'vrla', 'nicd', 'lifepo4')),
    cells_per_block INTEGER NOT NULL CHECK (cells_per_block BETWEEN 1 AND 12),
    straps BOOLEAN NOT NULL,
    installed_date TEXT,
    policies_json TEXT NOT NULL DEFAULT '',
    created_utc_ms INTEGER NOT NULL,
    UNIQUE (site_id, name)
);
CREATE TABLE inspections (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    string_id INTEGER NOT NULL REFERENCES battery_strings (id) ON DELETE CASCADE,
    client_uuid TEXT NOT NULL UNIQUE,
    started_utc_ms INTEGER NOT NULL,
    station TEXT NOT NULL,
    operator TEXT NOT NULL,
    ambient_c REAL,
    notes TEXT NOT NULL DEFAULT ''
);
CREATE INDEX inspections_string ON inspections (string_id, started_utc_ms);
CREATE TABLE string_readings (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    inspection_id INTEGER NOT NULL REFERENCES inspections (id) ON DELETE CASCADE,
    client_uuid TEXT NOT NULL UNIQUE,
    kind TEXT NOT NULL CHECK (kind IN ('block', 'strap')),
    position INTEGER NOT NULL CHECK (position >= 1),
    missing BOOLEAN NOT NULL DEFAULT FALSE,
    station TEXT NOT NULL,
    operator TEXT NOT NULL,
    measured_utc_ms INTEGER NOT NULL,
    voltage_v REAL,
    resistance_mohm REAL,
    voltage_text TEXT NOT NULL,
    resistance_text TEXT NOT NULL,
    range_text TEXT NOT NULL,
    temperature_c REAL
);
CREATE INDEX string_readings_place ON string_readings (inspection_id, kind, position, measured_utc_ms, id);
CREATE TABLE block_baselines (
    string_id INTEGER NOT NULL REFERENCES battery_strings (id) ON DELETE CASCADE,
    position INTEGER NOT NULL CHECK (position >= 1),
    inspection_id INTEGER REFERENCES inspections (id) ON DELETE CASCADE,
    resistance_mohm REAL CHECK (resistance_mohm > 0),
    set_utc_ms INTEGER NOT NULL,
    station TEXT NOT NULL,
    PRIMARY KEY (string_id, position),
    CHECK ((inspection_id IS NULL) <> (resistance_mohm IS NULL))
);
