#!/usr/bin/env bash
# Builds Kavro and starts it on the embedded SQLite database.
# The first start creates a demo database (generated calls and directories)
# in ~/.local/share/kavro and registers it as the data source "KAVRO".
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
DATA="${KAVRO_DATA:-$HOME/.local/share/kavro}"
mkdir -p "$DATA"
if [ -x build/tools/demo/kavro-demo ]; then
  build/tools/demo/kavro-demo "$DATA"
elif [ ! -f "$DATA/kavro.db" ]; then
  build/tools/kavro-createdb "$DATA/kavro.db"
fi
exec build/src/app/kavro "$@"
