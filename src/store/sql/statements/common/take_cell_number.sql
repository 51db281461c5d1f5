UPDATE batches SET next_cell_number = next_cell_number + 1 WHERE id = :batch
RETURNING next_cell_number - 1
