UPDATE battery_strings SET policies_json = :policies WHERE id = :string
