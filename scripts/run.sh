#!/usr/bin/env bash
# Installs what is missing, builds ferrolis.exe and starts it under Wine in the
# project's own prefix (.wine at the top of the source tree).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target ferrolis
export WINEPREFIX="$root/.wine"
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh build/win64/ferrolis.exe
fi

# No display: a virtual one, and the terminal says where the program is.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n" FERROLIS_WINE_UNMANAGED=1
cat <<MSG
There is no display here: Ferrolis runs in the virtual X display $DISPLAY.
  See it:      import -display $DISPLAY -window root ferrolis.png   (a screenshot)
               or x11vnc -display $DISPLAY, then a VNC viewer
  Drive it:    DISPLAY=$DISPLAY xdotool type ...  /  xdotool key ...
  Stop it:     Ctrl+C here, or: WINEPREFIX=$WINEPREFIX wineserver -k
MSG
status=0
scripts/wine-run.sh build/win64/ferrolis.exe || status=$?
echo "Ferrolis has ended (exit code $status)."
exit "$status"
