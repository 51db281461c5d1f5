DELETE FROM block_baselines WHERE string_id = :string AND position = :position
