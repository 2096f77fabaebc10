-- The functions the program's statements call, as the server defines them.
-- They take the same texts as the embedded engine's: dates 'YYYY-M-D' with an
-- optional time part, times 'hh:mm[:ss]' whose hours may pass 24; anything
-- else gives NULL, never an error.

CREATE SCHEMA IF NOT EXISTS dba;
SET search_path TO dba, public;

-- Czech order for the statements' ORDER BY ... COLLATE czech: the Czech
-- alphabet (Č after C, Ch after H, Ř after R ...) with numbers inside texts by
-- their value ("1/2" before "1/10"), as the embedded engine's collation "czech".
CREATE COLLATION IF NOT EXISTS dba.czech (provider = icu, locale = 'cs-CZ-u-kn-true');

-- The year, month and day of a date text, or NULL when it is none.
CREATE OR REPLACE FUNCTION dba.kavro_ymd(t text) RETURNS integer[]
LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
    m text[];
    y integer; mo integer; d integer; dim integer;
BEGIN
    m := regexp_match(t, '^ *([0-9]{1,4})-([0-9]{1,2})-([0-9]{1,2})(?:$|[ T])');
    IF m IS NULL THEN RETURN NULL; END IF;
    y := m[1]::integer; mo := m[2]::integer; d := m[3]::integer;
    IF mo < 1 OR mo > 12 OR d < 1 THEN RETURN NULL; END IF;
    dim := CASE WHEN mo = 2 THEN CASE WHEN (y % 4 = 0 AND y % 100 <> 0) OR y % 400 = 0 THEN 29 ELSE 28 END
                WHEN mo IN (4, 6, 9, 11) THEN 30 ELSE 31 END;
    IF d > dim THEN RETURN NULL; END IF;
    RETURN ARRAY[y, mo, d];
END $$;

-- Days since 0000-03-01 of the proleptic Gregorian calendar.
CREATE OR REPLACE FUNCTION dba.kavro_den(y integer, m integer, d integer) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
    SELECT 365::bigint * yy + div(yy, 4) - div(yy, 100) + div(yy, 400) + div(153 * (mm - 3) + 2, 5) + d - 1
      FROM (SELECT CASE WHEN m <= 2 THEN y - 1 ELSE y END AS yy, CASE WHEN m <= 2 THEN m + 12 ELSE m END AS mm) v
$$;

-- Seconds of a date-time text since day 0, or of a time text 'hh:mm[:ss]'.
CREATE OR REPLACE FUNCTION dba.seconds(t text) RETURNS bigint
LANGUAGE plpgsql IMMUTABLE PARALLEL SAFE AS $$
DECLARE
    ymd integer[];
    rest text;
    m text[];
    den bigint := NULL;
BEGIN
    IF t IS NULL THEN RETURN NULL; END IF;
    ymd := dba.kavro_ymd(t);
    rest := t;
    IF ymd IS NOT NULL THEN
        den := dba.kavro_den(ymd[1], ymd[2], ymd[3]);
        rest := substring(ltrim(t, ' ') FROM '^[0-9]+-[0-9]+-[0-9]+[ T](.*)$');
        IF rest IS NULL THEN RETURN den * 86400; END IF;
    END IF;
    m := regexp_match(rest, '^ *([0-9]{1,9}):([0-9]{1,2})(?::([0-9]{1,2}))?(?:\.[0-9]*)? *$');
    IF m IS NULL THEN RETURN NULL; END IF;
    RETURN coalesce(den * 86400, 0) + m[1]::bigint * 3600 + m[2]::bigint * 60 + coalesce(m[3]::bigint, 0);
END $$;

-- Seconds from a to b.
CREATE OR REPLACE FUNCTION dba.seconds(a text, b text) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT dba.seconds(b) - dba.seconds(a) $$;

-- Day of the week, 1 Sunday .. 7 Saturday.
CREATE OR REPLACE FUNCTION dba.dow(t text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
    SELECT (mod(dba.kavro_den(v[1], v[2], v[3]) + 3, 7))::integer + 1 FROM (SELECT dba.kavro_ymd(t) AS v) x
$$;

CREATE OR REPLACE FUNCTION dba.year(t text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT (dba.kavro_ymd(t))[1] $$;
CREATE OR REPLACE FUNCTION dba.month(t text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT (dba.kavro_ymd(t))[2] $$;
CREATE OR REPLACE FUNCTION dba.day(t text) RETURNS integer
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT (dba.kavro_ymd(t))[3] $$;

-- The date part as 'YYYY-MM-DD', also of texts such as '1997-8-1'.
CREATE OR REPLACE FUNCTION dba.date(t text) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$
    SELECT to_char(v[1], 'FM0000') || '-' || to_char(v[2], 'FM00') || '-' || to_char(v[3], 'FM00')
      FROM (SELECT dba.kavro_ymd(t) AS v) x
$$;

-- argn(n, a, b, ...): the n-th of the values after n, NULL outside them.
CREATE OR REPLACE FUNCTION dba.argn(n integer, VARIADIC v anyarray) RETURNS anyelement
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT CASE WHEN n >= 1 THEN v[n] END $$;
-- The same for quoted values, whose type the server leaves open.
CREATE OR REPLACE FUNCTION dba.argn(n integer, VARIADIC v text[]) RETURNS text
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT CASE WHEN n >= 1 THEN v[n] END $$;

-- ifnull(x, a, b): a when x is NULL, else b.
CREATE OR REPLACE FUNCTION dba.ifnull(x anyelement, a anycompatible, b anycompatible) RETURNS anycompatible
LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN x IS NULL THEN a ELSE b END $$;
CREATE OR REPLACE FUNCTION dba.ifnull(x anyelement, a text, b text) RETURNS text
LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN x IS NULL THEN a ELSE b END $$;
CREATE OR REPLACE FUNCTION dba.ifnull(x text, a text, b text) RETURNS text
LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN x IS NULL THEN a ELSE b END $$;

-- ceiling(x) as a whole number.
CREATE OR REPLACE FUNCTION dba.ceiling(x double precision) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT pg_catalog.ceiling(x)::bigint $$;
CREATE OR REPLACE FUNCTION dba.ceiling(x numeric) RETURNS bigint
LANGUAGE sql IMMUTABLE PARALLEL SAFE AS $$ SELECT pg_catalog.ceiling(x)::bigint $$;

-- List(x): the values of a group joined by ','; NULLs are left out, no rows gives NULL.
CREATE OR REPLACE FUNCTION dba.kavro_list_step(s text, v anynonarray) RETURNS text
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE WHEN v IS NULL THEN s WHEN s IS NULL THEN v::text ELSE s || ',' || v::text END
$$;
CREATE OR REPLACE AGGREGATE dba.list(anynonarray) (SFUNC = dba.kavro_list_step, STYPE = text);
