UPDATE measurements SET withdrawn = TRUE WHERE id = :id
