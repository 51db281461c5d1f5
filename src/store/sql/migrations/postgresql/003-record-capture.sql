-- Programs of schema 1 or newer can use a database at this version.
-- min_compatible: 1
-- A capture in one round trip: the rules of CaptureWriter's WriteCapture, run on the server as one
-- function, which the program calls in autocommit, so the call is its own transaction. Each
-- statement of a VOLATILE function under READ COMMITTED takes a fresh snapshot: once the batch's
-- row is locked, the client UUID and the cells other stations committed meanwhile are seen, which
-- keeps cell numbers unique and gapless and a capture sent again from being stored twice.
-- An unknown batch raises SQLSTATE VT404, which the program reports as no such batch.
CREATE OR REPLACE FUNCTION voltaryn_record_capture(
    p_batch TEXT, p_uuid TEXT, p_number BIGINT, p_label TEXT, p_station TEXT, p_operator TEXT,
    p_measured BIGINT, p_voltage DOUBLE PRECISION, p_resistance DOUBLE PRECISION, p_voltage_text TEXT,
    p_resistance_text TEXT, p_range_text TEXT, p_temperature DOUBLE PRECISION, p_grade TEXT,
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
        resistance_mohm, voltage_text, resistance_text, range_text, temperature_c, grade)
    VALUES (v_cell, p_uuid, p_station, p_operator, p_measured, p_voltage, p_resistance, p_voltage_text,
        p_resistance_text, p_range_text, p_temperature, p_grade);
END;
$$;
