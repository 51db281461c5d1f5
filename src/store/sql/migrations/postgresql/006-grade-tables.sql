-- Programs of schema 6 or newer can use a database at this version.
-- min_compatible: 6
-- Grade tables kept: a batch's current table stays in batches.grades_json, now with the time it
-- took effect and the station that set it; every table it replaced is kept in
-- earlier_grade_tables with its own. A regrade grades each cell's latest sorting capture again
-- under the current table: regraded_utc_ms says when (NULL: graded as it was measured), and
-- captured_grade keeps the grade it was captured with once a regrade changed it (NULL: never
-- changed). A program of schema 5 or older would replace a batch's grade table without keeping the one
-- before it, so it may no longer use the database.
ALTER TABLE batches ADD COLUMN grades_utc_ms BIGINT NOT NULL DEFAULT 0;
UPDATE batches SET grades_utc_ms = created_utc_ms;
ALTER TABLE batches ADD COLUMN grades_station TEXT NOT NULL DEFAULT '';
CREATE TABLE earlier_grade_tables (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    batch_id BIGINT NOT NULL REFERENCES batches (id) ON DELETE CASCADE,
    grades_json TEXT NOT NULL,
    effective_utc_ms BIGINT NOT NULL,
    station TEXT NOT NULL
);
CREATE INDEX earlier_grade_tables_batch ON earlier_grade_tables (batch_id, id);
ALTER TABLE measurements ADD COLUMN captured_grade TEXT;
ALTER TABLE measurements ADD COLUMN regraded_utc_ms BIGINT;
