-- Read-only relations that the program reads and never writes. Tables are
-- named without an owner so the views resolve in whatever schema holds them.
-- Computed columns are CAST to their type: a column with a declared type
-- compares with quoted numbers ('5') the way a table column does.

-- The caller of every call, with the directory names, and whether the called
-- subscriber is a firm's ('F') or a private ('S') line. Firm and department
-- are those the tariffing assigned to the call; the person is the one holding
-- the calling extension at the call's start (the lowest id when several share
-- it); Kdo_volal names the persons as the tariffing listed them.
CREATE VIEW kdo_volal (ID_hovoru, ID_firmy, ID_oddeleni, ID_osoby, Soukrome,
                       firma, oddeleni, Kdo_volal) AS
SELECT h.id_hovoru,
       h.id_firmy,
       h.id_oddeleni,
       CAST((SELECT min(pp.ID_Osoby)
               FROM prirazeni_pobocek pp
              WHERE pp.Cislo_pobocky = h.ustredna_cislo_pobocky
                AND h.ustredna_datum_a_cas BETWEEN pp.Pocatek_platnosti AND pp.Konec_platnosti
                AND pp.ID_Osoby <> 0 AND pp.ID_Osoby <> 9999) AS INTEGER),
       -- A subscriber without a mark, and a number without a subscriber, count as a firm's.
       CAST(CASE WHEN u.Soukrome = 'S' THEN 'S' ELSE 'F' END AS TEXT),
       f.nazev_firmy,
       o.nazev_oddeleni,
       h.popis_osob
  FROM hovory h
  LEFT OUTER JOIN ciselnik_ucastniku u
    ON u.kod_statu = h.kod_statu AND u.kod_mesta = h.kod_mesta
   AND u.Cislo_ucastnika = h.cislo_ucastnika
  LEFT OUTER JOIN ciselnik_firem f ON f.ID_Firmy = h.id_firmy
  LEFT OUTER JOIN ciselnik_oddeleni o ON o.ID_Oddeleni = h.id_oddeleni;

-- How often each called number was called: outgoing calls whose state and
-- area are known but whose subscriber is not in the directory yet, so that
-- the completion of frequently called subscribers offers only numbers it can
-- still add.
CREATE VIEW cetnost_volani (ustredna_volane_cislo, kod_statu, kod_mesta, pocet, stat, mesto) AS
SELECT h.ustredna_volane_cislo,
       h.kod_statu,
       h.kod_mesta,
       CAST(count(*) AS INTEGER),
       (SELECT s.nazev_statu FROM ciselnik_statu s WHERE s.kod_statu = h.kod_statu),
       (SELECT m.nazev_mesta FROM ciselnik_mest m
         WHERE m.kod_statu = h.kod_statu AND m.kod_mesta = h.kod_mesta)
  FROM hovory h
 WHERE h.typ_hovoru IN ('A', 'B', 'C')
   AND h.cislo_ucastnika IS NULL
   AND h.kod_statu IS NOT NULL
   AND h.kod_mesta IS NOT NULL
 GROUP BY h.ustredna_volane_cislo, h.kod_statu, h.kod_mesta;
