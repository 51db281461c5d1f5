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
ALTER TABLE cells ADD COLUMN reference_measurement_id BIGINT REFERENCES measurements (id) ON DELETE SET NULL;
ALTER TABLE batches ADD COLUMN self_discharge_limit_mv_per_day DOUBLE PRECISION NOT NULL DEFAULT -8;
ALTER TABLE batches ADD COLUMN self_discharge_rest_days INTEGER NOT NULL DEFAULT 14
    CHECK (self_discharge_rest_days BETWEEN 1 AND 90);
-- voltaryn_record_capture() of step 3 takes the measurement's kind as well: a recheck is stored
-- as a capture is, under the same lock and client UUID rule, but only on a cell the batch holds,
-- one that a sorting capture in force keeps in it. Any other raises SQLSTATE VT405, which the
-- program reports as no such cell; nothing is stored then.
DROP FUNCTION voltaryn_record_capture(TEXT, TEXT, BIGINT, TEXT, TEXT, TEXT, BIGINT, DOUBLE PRECISION,
    DOUBLE PRECISION, TEXT, TEXT, TEXT, DOUBLE PRECISION, TEXT);
CREATE FUNCTION voltaryn_record_capture(
    p_batch TEXT, p_uuid TEXT, p_number BIGINT, p_label TEXT, p_station TEXT, p_operator TEXT,
    p_measured BIGINT, p_voltage DOUBLE PRECISION, p_resistance DOUBLE PRECISION, p_voltage_text TEXT,
    p_resistance_text TEXT, p_range_text TEXT, p_temperature DOUBLE PRECISION, p_grade TEXT, p_kind TEXT,
    OUT cell_number BIGINT, OUT cell_label TEXT, OUT new_cell BOOLEAN)
LANGUAGE plpgsql VOLATILE AS $$
DECLARE
    v_batch BIGINT;
    v_cell BIGINT;
BEGIN
    -- Captures into one batch take their turns: the one after sees the cells the one before added.
    SELECT id INTO v_batch FROM batches WHERE name = p_batch FOR UPDATE;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'There is no batch "%"', p_batch USING ERRCODE = 'VT404';
    END IF;
    new_cell := FALSE;
    SELECT c.number, c.label INTO cell_number, cell_label
    FROM measurements m JOIN cells c ON c.id = m.cell_id WHERE m.client_uuid = p_uuid;
    IF FOUND THEN
        RETURN;  -- stored before: its receipt as it was
    END IF;

    -- The cell the label names: by its number (p_number) or by its text (p_label).
    IF p_number IS NOT NULL THEN
        SELECT id, number, label INTO v_cell, cell_number, cell_label
        FROM cells WHERE batch_id = v_batch AND number = p_number;
    ELSIF p_label IS NOT NULL THEN
        SELECT id, number, label INTO v_cell, cell_number, cell_label
        FROM cells WHERE batch_id = v_batch AND label = p_label;
    END IF;
    IF p_kind = 'recheck' AND (v_cell IS NULL OR NOT EXISTS (
            SELECT 1 FROM measurements WHERE cell_id = v_cell AND kind = 'sort' AND withdrawn = FALSE)) THEN
        RAISE EXCEPTION 'Batch "%" has no cell %', p_batch, COALESCE(p_number::TEXT, p_label)
            USING ERRCODE = 'VT405';
    END IF;
    IF v_cell IS NULL THEN
        -- A new cell: the number scanned, else the batch's next number that no cell has (a cell
        -- scanned by its number may have taken it).
        new_cell := TRUE;
        cell_number := p_number;
        cell_label := p_label;
        WHILE cell_number IS NULL LOOP
            UPDATE batches SET next_cell_number = next_cell_number + 1 WHERE id = v_batch
            RETURNING next_cell_number - 1 INTO cell_number;
            IF EXISTS (SELECT 1 FROM cells WHERE batch_id = v_batch AND number = cell_number) THEN
                cell_number := NULL;
            END IF;
        END LOOP;
        INSERT INTO cells (batch_id, number, label) VALUES (v_batch, cell_number, cell_label)
        RETURNING id INTO v_cell;
    END IF;

    INSERT INTO measurements (cell_id, client_uuid, station, operator, measured_utc_ms, voltage_v,
        resistance_mohm, voltage_text, resistance_text, range_text, temperature_c, grade, kind)
    VALUES (v_cell, p_uuid, p_station, p_operator, p_measured, p_voltage, p_resistance, p_voltage_text,
        p_resistance_text, p_range_text, p_temperature, p_grade, p_kind);
END;
$$;
