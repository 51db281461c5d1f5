INSERT INTO cells (batch_id, number, label) VALUES (:batch, :number, :label) RETURNING id
