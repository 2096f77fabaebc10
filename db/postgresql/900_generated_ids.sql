-- Ids that the database generates: a row inserted without its id gets the
-- next one after the highest stored, as the embedded engine gives it.

CREATE OR REPLACE FUNCTION dba.kavro_next_id() RETURNS trigger
LANGUAGE plpgsql AS $$
DECLARE
    col text := TG_ARGV[0];
    val bigint;
BEGIN
    IF (to_jsonb(NEW) ->> col) IS NULL THEN
        EXECUTE format('SELECT coalesce(max(%I), 0) + 1 FROM %I.%I', col, TG_TABLE_SCHEMA, TG_TABLE_NAME) INTO val;
        NEW := jsonb_populate_record(NEW, jsonb_build_object(col, val));
    END IF;
    RETURN NEW;
END $$;

CREATE TRIGGER ciselnik_pasem_id BEFORE INSERT ON dba.ciselnik_pasem
    FOR EACH ROW EXECUTE FUNCTION dba.kavro_next_id('id_pasma');
CREATE TRIGGER ciselnik_firem_id BEFORE INSERT ON dba.ciselnik_firem
    FOR EACH ROW EXECUTE FUNCTION dba.kavro_next_id('id_firmy');
CREATE TRIGGER ciselnik_oddeleni_id BEFORE INSERT ON dba.ciselnik_oddeleni
    FOR EACH ROW EXECUTE FUNCTION dba.kavro_next_id('id_oddeleni');
CREATE TRIGGER ciselnik_osob_id BEFORE INSERT ON dba.ciselnik_osob
    FOR EACH ROW EXECUTE FUNCTION dba.kavro_next_id('id_osoby');
CREATE TRIGGER cena_impulsu_id BEFORE INSERT ON dba.cena_impulsu
    FOR EACH ROW EXECUTE FUNCTION dba.kavro_next_id('id_ceny');
CREATE TRIGGER pevne_svatky_id BEFORE INSERT ON dba.pevne_svatky
    FOR EACH ROW EXECUTE FUNCTION dba.kavro_next_id('id_svatku');
