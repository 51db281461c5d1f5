SELECT p.id, p.name, p.series, p.parallel, p.created_utc_ms, pc.group_index, pc.position, c.number
FROM packs p
LEFT JOIN pack_cells pc ON pc.pack_id = p.id
LEFT JOIN cells c ON c.id = pc.cell_id
WHERE p.batch_id = :batch
ORDER BY p.name, p.id, pc.group_index, pc.position
