-- Programs of schema 1 or newer can use a database at this version.
-- min_compatible: 1
-- Batches of cells, the cells and every measurement taken of them. Times are UTC milliseconds
-- since 1970; a retest adds a measurement and an undo marks one withdrawn: nothing is deleted.
CREATE TABLE schema_migrations (
    version INTEGER PRIMARY KEY,
    min_compatible INTEGER NOT NULL,
    applied_utc_ms BIGINT NOT NULL
);
CREATE TABLE batches (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    created_utc_ms BIGINT NOT NULL,
    notes TEXT NOT NULL DEFAULT '',
    grades_json TEXT NOT NULL DEFAULT '[]',
    next_cell_number BIGINT NOT NULL DEFAULT 1
);
CREATE TABLE cells (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    batch_id BIGINT NOT NULL REFERENCES batches (id) ON DELETE CASCADE,
    number BIGINT NOT NULL,
    label TEXT,
    capacity_mah DOUBLE PRECISION,
    UNIQUE (batch_id, number),
    UNIQUE (batch_id, label)
);
CREATE TABLE measurements (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    cell_id BIGINT NOT NULL REFERENCES cells (id) ON DELETE CASCADE,
    client_uuid TEXT NOT NULL UNIQUE,
    station TEXT NOT NULL,
    operator TEXT NOT NULL,
    measured_utc_ms BIGINT NOT NULL,
    voltage_v DOUBLE PRECISION,
    resistance_mohm DOUBLE PRECISION,
    voltage_text TEXT NOT NULL,
    resistance_text TEXT NOT NULL,
    range_text TEXT NOT NULL,
    temperature_c DOUBLE PRECISION,
    grade TEXT NOT NULL,
    withdrawn BOOLEAN NOT NULL DEFAULT FALSE
);
CREATE INDEX measurements_latest ON measurements (cell_id, withdrawn, measured_utc_ms, id);
