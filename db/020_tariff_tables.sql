-- Tariff zones, links between exchange areas, impulse periods, discounts,
-- impulse prices and holidays.

-- One row per tariff zone; comes filled with the database.
CREATE TABLE ciselnik_pasem (
    -- Zone number. Statements compare it both as 9999 and as '9999'; INTEGER
    -- affinity makes both work.
    id_pasma     INTEGER PRIMARY KEY,
    nazev_pasma  TEXT,
    -- '1' domestic, '2' other services, '3' international. TEXT because the
    -- program handles it as the one-character text it shows and binds.
    typ_pasma    TEXT
);

-- The zone between a calling and a called exchange area; comes filled with
-- the database. Area numbers are ciselnik_mest.Cislo_TTO values.
CREATE TABLE vazba_tto_tto (
    volajici_tto  INTEGER,   -- area number: not dialled, compared with quoted and unquoted numbers
    volane_tto    INTEGER,
    id_pasma      INTEGER,   -- written as '1' / '2'
    PRIMARY KEY (volajici_tto, volane_tto)
);

-- Seconds per impulse by zone, validity range (whole days), time band and day type.
CREATE TABLE perioda_impulsu (
    id_pasma           INTEGER,
    Pocatek_platnosti  TEXT,      -- first day 'YYYY-MM-DD'
    Konec_platnosti    TEXT,      -- last day 'YYYY-MM-DD', included
    Od_casu            TEXT,      -- 'hh:mm:ss'
    Do_casu            TEXT,      -- 'hh:mm:ss', included
    -- Seconds per impulse, written as quoted digits. INTEGER: note that
    -- integer / integer divides without a remainder.
    perioda            INTEGER,
    Typ_dne            INTEGER    -- 1 working day, 2 Saturday, Sunday or holiday (as kalendar.typ_dne)
);

-- Discounted seconds per impulse by called state, validity range, time band and day type.
CREATE TABLE zlevnene_volani (
    kod_statu          TEXT,      -- as ciselnik_statu.kod_statu
    pocatek_platnosti  TEXT,      -- first day 'YYYY-MM-DD'
    konec_platnosti    TEXT,      -- last day 'YYYY-MM-DD', included
    od_casu            TEXT,      -- 'hh:mm:ss'
    do_casu            TEXT,      -- 'hh:mm:ss', included
    perioda            INTEGER,   -- seconds per impulse
    typ_dne            INTEGER    -- 1 working day, 2 Saturday, Sunday or holiday
);

-- Price of one impulse by a period of whole days.
CREATE TABLE cena_impulsu (
    -- Generated id: the price editor addresses each row by it, so that two
    -- rows with the same dates are never changed or deleted together.
    id_ceny            INTEGER PRIMARY KEY,
    Pocatek_platnosti  TEXT,      -- first day 'YYYY-MM-DD'
    Konec_platnosti    TEXT,      -- last day 'YYYY-MM-DD', included
    -- The price of one impulse in haléře, a whole number typed as digits.
    -- NUMERIC so that reports can compute with it.
    Cena_Impulsu       NUMERIC,
    Typ_ceny           TEXT DEFAULT 'A'   -- the program uses only 'A'
);

-- Holidays: a row with year 0 holds in every year.
CREATE TABLE pevne_svatky (
    -- Generated: the calendar edits and deletes exactly the row it shows,
    -- also when two rows share their day, month and year.
    id_svatku INTEGER PRIMARY KEY,
    den    INTEGER,   -- day of the month
    Mesic  INTEGER,   -- month 1..12, compared with month(date)
    Nazev  TEXT,      -- description; 'Velikonoce' marks a year's Easter row
    Rok    INTEGER    -- 0 = every year, else the year; compared with year(date)
);
