-- Programs of schema 4 or newer can use a database at this version.
-- min_compatible: 4
-- Every statement that changes batches, cells, measurements or packs tells the stations that
-- listen on the channel voltaryn_changes, once per transaction, so that their windows follow the
-- work of other stations and of the command line. Programs that do not listen are not affected.
CREATE FUNCTION voltaryn_tell_change() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    PERFORM pg_notify('voltaryn_changes', '');
    RETURN NULL;
END
$$;
CREATE TRIGGER batches_changed AFTER INSERT OR UPDATE OR DELETE ON batches
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER cells_changed AFTER INSERT OR UPDATE OR DELETE ON cells
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER measurements_changed AFTER INSERT OR UPDATE OR DELETE ON measurements
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER packs_changed AFTER INSERT OR UPDATE OR DELETE ON packs
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
CREATE TRIGGER pack_cells_changed AFTER INSERT OR UPDATE OR DELETE ON pack_cells
    FOR EACH STATEMENT EXECUTE FUNCTION voltaryn_tell_change();
