-- Programs of schema 6 or newer can use a database at this version.
-- min_compatible: 6
-- Battery strings: a site holds strings of blocks numbered 1..blocks, joined by straps (strap n
-- joins blocks n and n + 1). An inspection is one dated walk of a string; each capture of it is a
-- reading of a block or a strap, or a block marked missing. A retest adds a reading: the latest
-- of a place is the one in force, the earlier ones are its history, nothing is deleted. A block's
-- baseline is chosen (from an inspection, or typed) only where the default rule is not wanted.
-- Programs of schema 6 do not know these tables and leave them alone.
CREATE TABLE sites (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    notes TEXT NOT NULL DEFAULT '',
    created_utc_ms BIGINT NOT NULL
);
CREATE TABLE battery_strings (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    site_id BIGINT NOT NULL REFERENCES sites (id) ON DELETE CASCADE,
    name TEXT NOT NULL,
    blocks INTEGER NOT NULL CHECK (blocks BETWEEN 1 AND 1000),
    nominal_v DOUBLE PRECISION NOT NULL CHECK (nominal_v IN (2, 6, 12)),
    chemistry TEXT NOT NULL CHECK (chemistry IN ('vla', 'vrla', 'nicd', 'lifepo4')),
    cells_per_block INTEGER NOT NULL CHECK (cells_per_block BETWEEN 1 AND 12),
    straps BOOLEAN NOT NULL,
    installed_date TEXT,
    policies_json TEXT NOT NULL DEFAULT '',
    created_utc_ms BIGINT NOT NULL,
    UNIQUE (site_id, name)
);
CREATE TABLE inspections (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    string_id BIGINT NOT NULL REFERENCES battery_strings (id) ON DELETE CASCADE,
    client_uuid TEXT NOT NULL UNIQUE,
    started_utc_ms BIGINT NOT NULL,
    station TEXT NOT NULL,
    operator TEXT NOT NULL,
    ambient_c DOUBLE PRECISION,
    notes TEXT NOT NULL DEFAULT ''
);
CREATE INDEX inspections_string ON inspections (string_id, started_utc_ms);
CREATE TABLE string_readings (
    id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    inspection_id BIGINT NOT NULL REFERENCES inspections (id) ON DELETE CASCADE,
    client_uuid TEXT NOT NULL UNIQUE,
    kind TEXT NOT NULL CHECK (kind IN ('block', 'strap')),
    position INTEGER NOT NULL CHECK (position >= 1),
    missing BOOLEAN NOT NULL DEFAULT FALSE,
    station TEXT NOT NULL,
    operator TEXT NOT NULL,
    measured_utc_ms BIGINT NOT NULL,
    voltage_v DOUBLE PRECISION,
    resistance_mohm DOUBLE PRECISION,
    voltage_text TEXT NOT NULL,
    resistance_text TEXT NOT NULL,
    range_text TEXT NOT NULL,
    temperature_c DOUBLE PRECISION
);
CREATE INDEX string_readings_place ON string_readings (inspection_id, kind, position, measured_utc_ms, id);
CREATE TABLE block_baselines (
    string_id BIGINT NOT NULL REFERENCES battery_strings (id) ON DELETE CASCADE,
    position INTEGER NOT NULL CHECK (position >= 1),
    inspection_id BIGINT REFERENCES inspections (id) ON DELETE CASCADE,
    resistance_mohm DOUBLE PRECISION CHECK (resistance_mohm > 0),
    set_utc_ms BIGINT NOT NULL,
    station TEXT NOT NULL,
    PRIMARY KEY (string_id, position),
    CHECK ((inspection_id IS NULL) <> (resistance_mohm IS NULL))
);
CREATE TRIGGER sites_changed AFTER INSERT OR UPDATE OR DELETE ON sites
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER battery_strings_changed AFTER INSERT OR UPDATE OR DELETE ON battery_strings
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER inspections_changed AFTER INSERT OR UPDATE OR DELETE ON inspections
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER string_readings_changed AFTER INSERT OR UPDATE OR DELETE ON string_readings
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER block_baselines_changed AFTER INSERT OR UPDATE OR DELETE ON block_baselines
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
-- One reading in one round trip: the inspection it belongs to is made by its first reading (the
-- station that started it chose its UUID), and a reading whose UUID is stored already is not
-- stored again. A site or string that does not exist raises VT406; a place the string does not
-- have raises VT407. Returns the inspection's id.
CREATE FUNCTION voltaryn_record_string_reading(
    p_site TEXT, p_string TEXT, p_inspection_uuid TEXT, p_started BIGINT, p_ambient DOUBLE PRECISION,
    p_notes TEXT, p_uuid TEXT, p_kind TEXT, p_position INTEGER, p_missing BOOLEAN, p_station TEXT,
    p_operator TEXT, p_measured BIGINT, p_voltage DOUBLE PRECISION, p_resistance DOUBLE PRECISION,
    p_voltage_text TEXT, p_resistance_text TEXT, p_range_text TEXT, p_temperature DOUBLE PRECISION,
    OUT inspection_id BIGINT)
LANGUAGE plpgsql VOLATILE AS $$
DECLARE
    v_string BIGINT;
    v_blocks INTEGER;
    v_straps BOOLEAN;
BEGIN
    SELECT s.id, s.blocks, s.straps INTO v_string, v_blocks, v_straps
    FROM battery_strings s JOIN sites t ON t.id = s.site_id WHERE t.name = p_site AND s.name = p_string;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'There is no string "%" at site "%"', p_string, p_site USING ERRCODE = 'VT406';
    END IF;
    IF p_position > v_blocks OR (p_kind = 'strap' AND (p_position = v_blocks OR NOT v_straps)) THEN
        RAISE EXCEPTION 'String "%" has no % %', p_string, p_kind, p_position USING ERRCODE = 'VT407';
    END IF;
    -- Looked up first: an insert that finds its inspection there would use up an id all the same.
    SELECT id INTO inspection_id FROM inspections WHERE client_uuid = p_inspection_uuid;
    IF NOT FOUND THEN
        INSERT INTO inspections (string_id, client_uuid, started_utc_ms, station, operator, ambient_c, notes)
        VALUES (v_string, p_inspection_uuid, p_started, p_station, p_operator, p_ambient, p_notes)
        ON CONFLICT (client_uuid) DO NOTHING;
        SELECT id INTO inspection_id FROM inspections WHERE client_uuid = p_inspection_uuid;
    END IF;
    INSERT INTO string_readings (inspection_id, client_uuid, kind, position, missing, station, operator,
        measured_utc_ms, voltage_v, resistance_mohm, voltage_text, resistance_text, range_text, temperature_c)
    VALUES (inspection_id, p_uuid, p_kind, p_position, p_missing, p_station, p_operator, p_measured, p_voltage,
        p_resistance, p_voltage_text, p_resistance_text, p_range_text, p_temperature)
    ON CONFLICT (client_uuid) DO NOTHING;
END;
$$;
