-- Calls and the tables the tariffing run works with.
--
-- Conventions of the whole schema:
--  * Dialled codes and numbers (state, area, subscriber, extension and line
--    numbers, account codes, prefixes) are TEXT: '0123' must stay '0123', and
--    the tariffing compares them with substrings of the dialled number.
--  * Ids that the database generates are INTEGER PRIMARY KEY.
--  * Date-times are TEXT 'YYYY-MM-DD hh:mm:ss', times 'hh:mm:ss', dates
--    'YYYY-MM-DD'; an open validity end is '9999-12-31 23:59:59'.
--  * Whole numbers that statements write as quoted text ('2', '9999') are
--    INTEGER: the column's affinity turns the text into a number on insert and
--    in comparisons, so both 9999 and '9999' work.

-- One row per call the collector delivered.
CREATE TABLE hovory (
    -- The collector's record number (nine decimal digits in the daily file);
    -- a record whose number is already stored is skipped on import.
    id_hovoru               INTEGER PRIMARY KEY,
    ustredna_datum_a_cas    TEXT,      -- start of the call, 'YYYY-MM-DD hh:mm:ss'
    ustredna_delka_hovoru   TEXT,      -- duration 'hh:mm:ss', compared with time texts
    ustredna_volane_cislo   TEXT,      -- dialled number with its prefixes; '*IN...' for incoming
    ustredna_pocet_impulsu  INTEGER,   -- impulses counted by the exchange, 0 = none
    ustredna_prepojeni      TEXT,      -- transferred call: '0' or '1' as the import writes it
    tarifovat_hovor         INTEGER DEFAULT 0,  -- 1 = charged
    -- Extension as the exchange reports it; TEXT like prirazeni_pobocek.Cislo_pobocky,
    -- with which it is matched.
    ustredna_cislo_pobocky  TEXT,
    status_hovoru           INTEGER DEFAULT 2,  -- processing stage 2..10
    -- Trunk line; TEXT like tarifni_vysilace.ustredna_cislo_linky, with which it is matched.
    ustredna_cislo_linky    TEXT,
    doplnkova_informace     TEXT,
    kod_uctu                TEXT,      -- account code dialled with the call
    typ_hovoru              TEXT,      -- 'P' incoming, 'C' international, 'B' long distance, 'A' local
    kod_statu               TEXT,      -- called state's code
    kod_mesta               TEXT,      -- called area code without the long-distance prefix
    cislo_ucastnika         TEXT,      -- directory subscriber number the dialled rest begins with
    id_pasma                INTEGER,   -- tariff zone; 9999 = state or city without a zone
    program_pocet_impulsu   INTEGER,   -- impulse count that billing uses
    id_firmy                INTEGER,   -- caller's firm at the call time
    id_oddeleni             INTEGER,   -- caller's department at the call time
    popis_osob              TEXT       -- surnames of the persons holding the extension
);

-- One row per date on which a call exists.
CREATE TABLE kalendar (
    datum    TEXT PRIMARY KEY,   -- 'YYYY-MM-DD'
    typ_dne  INTEGER             -- 1 working day, 2 Saturday, Sunday or holiday, 3 only while being completed
);

-- Trunk lines that carried outgoing calls.
CREATE TABLE tarifni_vysilace (
    ustredna_cislo_linky  TEXT PRIMARY KEY,    -- as in hovory.ustredna_cislo_linky
    zapojen               INTEGER DEFAULT 0    -- 1 = the exchange delivers impulses for this line
);

-- The site of the exchange: one row.
CREATE TABLE konfigurace_mista (
    mezistatni_predvolba   TEXT,   -- international prefix as typed, e.g. '00'
    mezimestska_predvolba  TEXT,   -- long-distance prefix as typed, e.g. '0'
    kod_statu              TEXT,   -- home state code
    kod_mesta              TEXT,   -- home area code
    ID_mista               TEXT    -- always 'Výchozí'
);

-- Pseudotariff times per outgoing call type ('A', 'B', 'C') and time kind
-- ('D' subtracted time, 'M' connection time), each with a validity period.
CREATE TABLE casy_pseudotarifu (
    typ_hovoru         TEXT,
    typ_casu           TEXT,
    cas                TEXT,   -- a duration written 'hh:mm:ss'
    pocatek_platnosti  TEXT,   -- 'YYYY-MM-DD hh:mm:ss'
    konec_platnosti    TEXT    -- 'YYYY-MM-DD hh:mm:ss'
);
