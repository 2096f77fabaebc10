#!/usr/bin/env bash
# Creates a Kavro database on a PostgreSQL server: the schema "dba" with the
# program's functions, the tables, views, indexes and reference data of db/.
#   db/postgresql/create.sh DATABASE [psql connection options...]
# e.g. db/postgresql/create.sh kavro -h 127.0.0.1 -U postgres
# The connection options may also come from PGHOST, PGPORT, PGUSER, PGPASSWORD.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 DATABASE [psql options...]" >&2; exit 2; }
name=$1; shift
here=$(cd "$(dirname "$0")" && pwd)
psql -X -q -v ON_ERROR_STOP=1 "$@" -d postgres -c "CREATE DATABASE \"$name\" ENCODING 'UTF8' TEMPLATE template0"
{
  echo "BEGIN;"
  cat "$here/000_functions.sql"
  echo "SET search_path TO dba, public;"
  for f in "$here"/../[0-9]*.sql; do cat "$f"; echo; done
  cat "$here/900_generated_ids.sql"
  echo "ALTER DATABASE \"$name\" SET search_path TO dba, public;"
  echo "COMMIT;"
} | psql -X -q -v ON_ERROR_STOP=1 "$@" -d "$name" >/dev/null
