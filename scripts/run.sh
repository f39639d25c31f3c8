#!/usr/bin/env bash
# Installs what is missing, builds ferrolis.exe and starts it under Wine in the
# project's own prefix (.wine at the top of the source tree).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target ferrolis
WINEPREFIX="$root/.wine" exec scripts/wine-run.sh build/win64/ferrolis.exe
