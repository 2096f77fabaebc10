-- Indexes for the lookups of the import, the tariffing and the directories.

-- Tariffing: a run takes the calls below stage 10. Only those are kept in the
-- index, so it stays small and a call that reaches stage 10 only leaves it.
CREATE INDEX hovory_status ON hovory (status_hovoru) WHERE status_hovoru < 10;
-- Import (newest call), deleting and re-tariffing a period, reports by period.
CREATE INDEX hovory_datum ON hovory (ustredna_datum_a_cas);
-- No index by extension or by called number: their keys arrive in random
-- order, and keeping them would cut the import's speed by more than half.
-- Reports narrow calls by period first; the caller is found per call through
-- the assignments' own index.

-- Assignment of an extension valid at a moment; rows of a firm, department or person.
CREATE INDEX prirazeni_pobocek_pobocka ON prirazeni_pobocek (Cislo_pobocky, Pocatek_platnosti, Konec_platnosti);
CREATE INDEX prirazeni_pobocek_id ON prirazeni_pobocek (ID_firmy, ID_Oddeleni, ID_Osoby);
CREATE INDEX ciselnik_oddeleni_firma ON ciselnik_oddeleni (ID_Firmy);
CREATE INDEX ciselnik_osob_oddeleni ON ciselnik_osob (ID_Firmy, ID_Oddeleni);

-- States and cities of a zone (zone assignment, zone editor counts).
CREATE INDEX ciselnik_statu_pasmo ON ciselnik_statu (id_pasma);
CREATE INDEX ciselnik_mest_pasmo ON ciselnik_mest (id_pasma);
CREATE INDEX ciselnik_mest_tto ON ciselnik_mest (Cislo_TTO);

-- Impulse period of a zone and day type valid at a moment; the tariffing reads
-- every column it needs from these indexes (time band, period, minimum time).
CREATE INDEX perioda_impulsu_pasmo ON perioda_impulsu (id_pasma, Typ_dne, Pocatek_platnosti, Konec_platnosti,
    Od_casu, Do_casu, perioda);
CREATE INDEX zlevnene_volani_stat ON zlevnene_volani (kod_statu, typ_dne, pocatek_platnosti, konec_platnosti,
    od_casu, do_casu, perioda);
CREATE INDEX casy_pseudotarifu_typ ON casy_pseudotarifu (typ_hovoru, typ_casu, pocatek_platnosti, konec_platnosti, cas);
CREATE INDEX cena_impulsu_platnost ON cena_impulsu (Typ_ceny, Pocatek_platnosti);
CREATE INDEX pevne_svatky_den ON pevne_svatky (Mesic, den, Rok);
CREATE INDEX kalendar_typ ON kalendar (typ_dne);
-- Day type of a date, read from the index alone.
CREATE INDEX kalendar_datum ON kalendar (datum, typ_dne);
