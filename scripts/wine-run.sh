#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's test prefix.
# The prefix is created on first use; WINEPREFIX may name another one.
# Wine needs an X display to create windows: without DISPLAY the program runs
# in a virtual one (Xvfb), which stays up until the Wine session has ended.
# An i686 program runs under the 32-bit Wine of scripts/setup-i686-wine.sh.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env FERROLIS_OWN_DISPLAY=1 "$0" "$@"
fi
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-tests}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Wine's own TrueType fonts (Marlett draws the title-bar buttons) are not
  # always found in its data folder; a copy in the prefix always is.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # On a bare virtual display Wine draws the window frames itself instead of
  # waiting for a window manager that is not there (FERROLIS_WINE_UNMANAGED
  # asks for the same on a display of one's own).
  if [ -n "${FERROLIS_OWN_DISPLAY:-}${FERROLIS_WINE_UNMANAGED:-}" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  fi
  wineserver -w
fi
# The machine field of the PE header: 014c for i386.
loader=wine
if [ -f "${1:-}" ] && [ -x "$root/build/i686-wine/wine32" ] &&
  [ "$(od -An -tx2 -N2 -j$(($(od -An -tu4 -N4 -j60 "$1") + 4)) "$1" | tr -d ' ')" = 014c ]; then
  loader="$root/build/i686-wine/wine32"
fi
if [ -n "${FERROLIS_OWN_DISPLAY:-}" ]; then
  status=0
  "$loader" "$@" || status=$?
  wineserver -w
  exit "$status"
fi
exec "$loader" "$@"
