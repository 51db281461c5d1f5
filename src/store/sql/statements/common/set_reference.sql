UPDATE cells SET reference_measurement_id = :measurement WHERE id = :cell
