-- The capture in one statement, its own transaction: see migrations 003 and 004.
SELECT cell_number, cell_label, new_cell FROM voltaryn_record_capture(:batch, :uuid, :number, :label,
    :station, :operator, :measured, :voltage, :resistance, :voltage_text, :resistance_text, :range_text,
    :temperature, :grade, :kind)
