UPDATE cells SET label = :label WHERE id = :cell
