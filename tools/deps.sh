#!/usr/bin/env bash
# Installs the Debian packages Kavro needs to build, test and run.
set -euo pipefail
PKGS=(g++ cmake make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
      libsqlite3-dev sqlite3 libgtest-dev qt6-translations-l10n xvfb xauth fonts-dejavu-core
      unixodbc-dev odbc-postgresql postgresql postgresql-client poppler-utils)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
