INSERT INTO pack_cells (pack_id, cell_id, group_index, position)
VALUES (:pack, :cell, :group_index, :position)
