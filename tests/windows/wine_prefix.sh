#!/usr/bin/env bash
# Makes the wine prefix of this build tree ($WINEPREFIX) once; wine's first start takes a while.
set -euo pipefail
wine=$1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init
  server=$(dirname "$(readlink -f "$wine")")/wineserver
  [ -x "$server" ] || server=wineserver
  "$server" --wait || true
fi
echo "wine prefix ready: $WINEPREFIX"
