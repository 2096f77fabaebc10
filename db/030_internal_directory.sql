-- Internal telephone directory: who held which extension when.

-- Firm, department, person and extension rows, each with a validity interval.
-- In an id column 9999 means the level does not apply to the row and 0 that
-- the level is present but empty.
CREATE TABLE prirazeni_pobocek (
    -- Extension exactly as the exchange reports it in hovory.ustredna_cislo_pobocky;
    -- '9999' on rows that are not extension rows.
    Cislo_pobocky      TEXT,
    Pocatek_platnosti  TEXT,      -- 'YYYY-MM-DD hh:mm:ss'
    Konec_platnosti    TEXT,      -- 'YYYY-MM-DD hh:mm:ss'; open end '9999-12-31 23:59:59'
    ID_firmy           INTEGER,   -- written quoted; compared unquoted with 9999 too
    ID_Oddeleni        INTEGER,
    ID_Osoby           INTEGER,
    Dohled             TEXT DEFAULT '-'   -- '+' watched extension; no insert fills it
);

CREATE TABLE ciselnik_firem (
    ID_Firmy               INTEGER PRIMARY KEY,   -- generated on insert
    nazev_firmy            TEXT,
    utvar                  TEXT,
    ulice                  TEXT,
    PSC                    TEXT,    -- postcode: may begin with a zero
    obec                   TEXT,
    ICO                    TEXT,    -- registration number: may begin with a zero
    DIC                    TEXT,
    -- Surcharge and flat fee: carried with the firm and written back as
    -- loaded. NUMERIC so reports can compute; non-numbers stay as typed.
    procentualni_navyseni  NUMERIC,
    pausalni_poplatek      NUMERIC
);

CREATE TABLE ciselnik_oddeleni (
    ID_Oddeleni      INTEGER PRIMARY KEY,   -- generated on insert
    nazev_oddeleni   TEXT,
    ID_Firmy         INTEGER                -- firm the department was created in
);

CREATE TABLE ciselnik_osob (
    ID_Osoby     INTEGER PRIMARY KEY,   -- generated on insert
    prijmeni     TEXT,
    jmeno        TEXT,
    titul        TEXT,
    Funkce       TEXT,
    Poznamka     TEXT,
    ID_Firmy     INTEGER,               -- the person's current firm
    ID_Oddeleni  INTEGER                -- the person's current department
);
