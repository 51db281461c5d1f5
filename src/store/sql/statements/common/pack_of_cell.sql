-- The pack a cell is in, with the label of the cell: no row when it is in none.
SELECT p.name, c.label
FROM pack_cells pc
JOIN packs p ON p.id = pc.pack_id
JOIN cells c ON c.id = pc.cell_id
WHERE pc.cell_id = :cell
