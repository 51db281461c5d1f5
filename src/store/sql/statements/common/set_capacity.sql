UPDATE cells SET capacity_mah = :capacity WHERE id = :cell
