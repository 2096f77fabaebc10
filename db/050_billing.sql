-- Account codes that the exchange reports with calls (hovory.kod_uctu).
CREATE TABLE ciselnik_uctovacich_kodu (
    -- The form updates and deletes a row by its code, so a code is stored once.
    Kod_uctu  TEXT PRIMARY KEY,
    Firma     TEXT,
    Osoba     TEXT,
    Poznamka  TEXT
);
