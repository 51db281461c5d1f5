-- Each cell in the range of numbers asked, with its latest sorting capture in force; a cell whose
-- every capture was withdrawn is left out. The pack the cell is in, if any, follows; then its
-- reference reading (the capture chosen as taken after charge while it is in force, else its
-- first capture) and its latest recheck in force, if any. One pass over the measurements of the
-- cells instead of lookups per cell.
WITH numbered AS (
    SELECT id, number, label, capacity_mah, reference_measurement_id FROM cells
    WHERE batch_id = :batch AND number BETWEEN :first AND :last),
in_force AS (
    SELECT m.* FROM measurements m JOIN numbered c ON c.id = m.cell_id WHERE m.withdrawn = FALSE),
latest AS (
    SELECT DISTINCT ON (cell_id) * FROM in_force WHERE kind = 'sort'
    ORDER BY cell_id, measured_utc_ms DESC, id DESC),
earliest AS (
    SELECT DISTINCT ON (cell_id) cell_id, id FROM in_force WHERE kind = 'sort'
    ORDER BY cell_id, measured_utc_ms, id),
recheck AS (
    SELECT DISTINCT ON (cell_id) * FROM in_force WHERE kind = 'recheck'
    ORDER BY cell_id, measured_utc_ms DESC, id DESC)
SELECT c.number, c.label, c.capacity_mah, m.client_uuid, m.station, m.operator, m.measured_utc_ms,
    m.voltage_v, m.resistance_mohm, m.voltage_text, m.resistance_text, m.range_text,
    m.temperature_c, m.grade, p.name,
    r.client_uuid, r.measured_utc_ms, r.voltage_v, r.temperature_c,
    k.client_uuid, k.measured_utc_ms, k.voltage_v, k.temperature_c
FROM numbered c
JOIN latest m ON m.cell_id = c.id
JOIN earliest e ON e.cell_id = c.id
LEFT JOIN in_force chosen ON chosen.id = c.reference_measurement_id AND chosen.kind = 'sort'
JOIN in_force r ON r.id = COALESCE(chosen.id, e.id)
LEFT JOIN recheck k ON k.cell_id = c.id
LEFT JOIN pack_cells pc ON pc.cell_id = c.id
LEFT JOIN packs p ON p.id = pc.pack_id
ORDER BY c.number
