#!/usr/bin/env bash
# Screenshots of the main window and of the About window at 100 %, 150 % and 200 % (96, 144
# and 192 dots per inch), to be looked at: crisp, nothing cut or overlapping.
#
#   tests/e2e/dpi_shots.sh      writes build/screenshots-dpi/{main,about}-{96,144,192}.png
#
# Needs the win64 build. Uses a prefix of its own, so it can run beside tests/e2e/run.sh.
# E2E_UPDATE_DOCS=1 also copies the main window at 200 % to docs/main-window-200.png.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export E2E_PREFIX="$here/../../build/wine-dpi"
export E2E_SCREEN="1600x1400" # the main window at 200 % is about 1100 x 1300
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"
# shellcheck source=tests/e2e/gate_tests.sh
source "$here/gate_tests.sh"
# shellcheck source=tests/e2e/about_tests.sh
source "$here/about_tests.sh"

out="$E2E_ROOT/build/screenshots-dpi"
mkdir -p "$E2E_WORK" "$out"
PIDS_FILE="$E2E_WORK/dpi-pids"
# shellcheck disable=SC2034 # read by start() in lib.sh
E2E_OUTPUT="$E2E_WORK/dpi-output"
rm -f "$PIDS_FILE"
trap cleanup_environment EXIT
start_display
make_prefix
reference_encode "$SYSTEM_PW" "x"

for dpi in 96 144 192; do
  # Wine reads the setting when its server and desktop start.
  wineserver -k
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -k
  wineserver -p
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "x" --enter
  expect_window "$MAIN"
  sleep 1
  E2E_SHOTS="$out" shot "main-$dpi" "$MAIN"
  xdotool key alt Down Down Return
  expect_window "$ABOUT"
  sleep 1
  E2E_SHOTS="$out" shot "about-$dpi" "$ABOUT"
  end_programs
  echo "$dpi dpi: $out/main-$dpi.png $out/about-$dpi.png"
done
if [ "${E2E_UPDATE_DOCS:-}" = 1 ]; then cp "$out/main-192.png" "$E2E_ROOT/docs/main-window-200.png"; fi
