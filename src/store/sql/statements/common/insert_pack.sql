INSERT INTO packs (batch_id, name, series, parallel, created_utc_ms)
VALUES (:batch, :name, :series, :parallel, :created) RETURNING id
