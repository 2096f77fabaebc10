-- External telephone directory: states, cities (areas) and subscribers, and
-- the work table of its import. Codes are stored without any dialling prefix.

CREATE TABLE ciselnik_statu (
    kod_statu    TEXT PRIMARY KEY,        -- country calling code, e.g. '420'
    nazev_statu  TEXT,
    id_pasma     INTEGER DEFAULT 9999     -- tariff zone; 9999 = not assigned yet
);

CREATE TABLE ciselnik_mest (
    kod_statu    TEXT,
    kod_mesta    TEXT,                    -- area code without the long-distance prefix
    nazev_mesta  TEXT,
    id_pasma     INTEGER DEFAULT 9999,    -- tariff zone; written as 9999 and '9999'
    -- Exchange area number (vazba_tto_tto). Not dialled: INTEGER, so it
    -- compares with the link table's numbers whether quoted or not; '9999' for
    -- a city added from calls, '' for one added in the directory tree.
    Cislo_TTO    INTEGER,
    PRIMARY KEY (kod_statu, kod_mesta)
);

CREATE TABLE ciselnik_ucastniku (
    kod_statu        TEXT,
    kod_mesta        TEXT,
    -- The subscriber number without prefixes, state and area code; a prefix
    -- of the numbers it identifies.
    Cislo_ucastnika  TEXT,
    nazev_ucastnika  TEXT,
    Firma            TEXT,
    Soukrome         TEXT DEFAULT 'F',    -- 'F' firm's line, 'S' private line
    PRIMARY KEY (kod_statu, kod_mesta, Cislo_ucastnika)
);

-- Work table of the external directory import: the lines of one import file.
CREATE TABLE p_import_ext_seznamu (
    Volane_cislo      TEXT,   -- as read, then digits only ('+' written as '00')
    Popis             TEXT,   -- becomes nazev_ucastnika
    firma             TEXT,   -- becomes Firma
    kod_statu         TEXT,
    kod_mesta         TEXT,
    kod_volane_cislo  TEXT,   -- the subscriber number without state and area code
    typ_volani        TEXT    -- class of the number: 'A', 'B', 'C', 'D', 'E' or 'X'
);
