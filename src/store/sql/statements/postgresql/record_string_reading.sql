-- The reading in one statement, its own transaction: see migration 007.
SELECT inspection_id FROM voltaryn_record_string_reading(:site, :string, :inspection_uuid, :started,
    :ambient, :notes, :uuid, :kind, :position, :missing, :station, :operator, :measured, :voltage,
    :resistance, :voltage_text, :resistance_text, :range_text, :temperature)
