-- Programs of schema 4 or newer can use a database at this version.
-- min_compatible: 4
-- Rechecks: after the lot has rested, each cell's voltage is read again and kept as a measurement
-- of the kind 'recheck'; the captures that sort cells are of the kind 'sort'. A cell's grade and
-- its latest measurement are those of its latest sorting capture. A program of schema 3 or older
-- would take a cell's latest recheck for its latest capture, show and count the recheck's grade
-- as the cell's and withdraw a recheck as a capture, so it may no longer use the database.
-- A cell's reference measurement is the capture chosen as taken after charge (NULL: its first
-- capture); the batch keeps how its cells' self-discharge is judged: the voltage may fall by
-- no more than the absolute limit in mV a day, over a rest of at least the minimum days.
ALTER TABLE measurements ADD COLUMN kind TEXT NOT NULL DEFAULT 'sort' CHECK (kind IN ('sort', 'recheck'));
DROP INDEX measurements_latest;
CREATE INDEX measurements_latest ON measurements (cell_id, kind, withdrawn, measured_utc_ms, id);
ALTER TABLE cells ADD COLUMN reference_measurement_id INTEGER REFERENCES measurements (id) ON DELETE SET NULL;
ALTER TABLE batches ADD COLUMN self_discharge_limit_mv_per_day REAL NOT NULL DEFAULT -8;
ALTER TABLE batches ADD COLUMN self_discharge_rest_days INTEGER NOT NULL DEFAULT 14
    CHECK (self_discharge_rest_days BETWEEN 1 AND 90);
