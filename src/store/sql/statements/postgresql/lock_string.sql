-- No reading joins the string while its figures change: the insert of an inspection waits on this lock.
SELECT id FROM battery_strings WHERE id = :string FOR UPDATE
