#!/usr/bin/env bash
# Runs a window test program on the PostgreSQL test server started by
# tools/pg_test_server.sh (state folder STATE); when none could be started
# on this machine, says why and skips, as the GoogleTest programs do.
#   tests/support/on_server.sh STATE PROGRAM [arguments...]
set -uo pipefail
state=${1:?state folder of the test server}; shift
if [ -f "$state/unavailable" ]; then
  echo "PostgreSQL runs skipped: $(cat "$state/unavailable")"
  exit 0
fi
if [ ! -f "$state/env" ]; then
  echo "PostgreSQL runs skipped: the test server was not started ($state)"
  exit 0
fi
export KAVRO_TEST_PG_STATE=$state
exec "$@"
