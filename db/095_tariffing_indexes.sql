-- Indexes of the tariffing run.
--
-- Every tariffing statement picks its calls by stage, most of them also by
-- call type ('C' calls for state codes, 'B' calls for areas, ...). Keyed by
-- stage and type, each statement reads only the calls it changes, and moving a
-- call to its next stage moves its entry within one short run of the index.
-- The index by stage and trunk line gives way to it: the trunk-line step reads
-- its lines in one pass over the calls of its stage.
DROP INDEX IF EXISTS hovory_status;
CREATE INDEX hovory_status ON hovory (status_hovoru, typ_hovoru);
