#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests that run on a server.
#   tools/pg_test_server.sh start STATE_DIR   starts it on 127.0.0.1, creates the
#                                            template database, writes STATE_DIR/env
#   tools/pg_test_server.sh stop STATE_DIR    stops it and removes its files
# The server runs as the "postgres" user when started by root (CI), else as the
# caller. When no server can be started, "start" prints why and exits 0 with
# STATE_DIR/unavailable written, so the server runs are skipped; under CI=true
# that is a failure.
set -uo pipefail
cmd=${1:?start or stop}; state=${2:?state directory}
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$state"
state=$(cd "$state" && pwd)

as_server_user() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

unavailable() {
  echo "PostgreSQL test server: $1"
  echo "$1" > "$state/unavailable"
  if [ "${CI:-}" = "true" ]; then
    echo "CI=true: the PostgreSQL runs must not be skipped" >&2
    exit 1
  fi
  echo "PostgreSQL runs are SKIPPED on this machine."
  exit 0
}

if [ "$cmd" = stop ]; then
  if [ -f "$state/datadir" ]; then
    d=$(cat "$state/datadir")
    as_server_user "$(cat "$state/bindir")/pg_ctl" -D "$d/data" -m immediate stop >/dev/null 2>&1
    rm -rf "$d"
  fi
  rm -f "$state/datadir" "$state/env" "$state/unavailable"
  exit 0
fi

rm -f "$state/unavailable" "$state/env"
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -n "$bindir" ] && [ -x "$bindir/initdb" ] || unavailable "initdb not found (package postgresql)"
command -v psql >/dev/null || unavailable "psql not found (package postgresql-client)"
odbcinst -q -d 2>/dev/null | grep -q "PostgreSQL Unicode" || unavailable "the ODBC driver \"PostgreSQL Unicode\" is not installed (package odbc-postgresql)"
if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then unavailable "no postgres user to run the server as"; fi

# A port of its own per build folder, so two builds do not meet.
port=$(( 20000 + $(echo "$state" | cksum | cut -d' ' -f1) % 20000 ))
d=$(mktemp -d /tmp/kavro-pg.XXXXXX)
chmod 755 "$d"
[ "$(id -u)" -eq 0 ] && chown postgres "$d"
echo "$d" > "$state/datadir"
echo "$bindir" > "$state/bindir"
as_server_user "$bindir/initdb" -D "$d/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$d/initdb.log" 2>&1 \
  || unavailable "initdb failed: $(tail -3 "$d/initdb.log")"
# Throw-away data: no waiting for the disk.
as_server_user "$bindir/pg_ctl" -D "$d/data" -l "$d/server.log" -w -t 60 \
  -o "-p $port -c listen_addresses=127.0.0.1 -k $d -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
  start >/dev/null || unavailable "the server did not start: $(tail -3 "$d/server.log")"
for _ in $(seq 1 60); do
  "$bindir/pg_isready" -h 127.0.0.1 -p "$port" -q && break
  sleep 0.5
done
export PGHOST=127.0.0.1 PGPORT=$port PGUSER=postgres
psql -X -q -d postgres -c "DROP DATABASE IF EXISTS kavro_test_template" >/dev/null 2>&1
bash "$here/db/postgresql/create.sh" kavro_test_template || unavailable "the template database could not be created"
cat > "$state/env" <<EOF
PGHOST=127.0.0.1
PGPORT=$port
PGUSER=postgres
KAVRO_TEST_PG_TEMPLATE=kavro_test_template
EOF
echo "PostgreSQL test server on 127.0.0.1:$port ($d)"
