#!/usr/bin/env bash
# Prints the performance figures of the README, measured in one run on this
# machine under Wine in a virtual display (not a timed test: nothing fails on
# a slow machine, except a step that does not work at all):
# - start-up: launch to the access window shown, against Wine's notepad.exe to
#   its window, median of 5 each, taken in turn, beside the floor: an empty
#   window with the program's manifest;
# - the main window's loading with 2,000 entries in the uninstall key, against
#   `reg query` of that key with /s (median of 5);
# - deleting 50 selected lines of the uninstall list, refresh included.
# Needs the win64 build (ferrolis.exe, ferrolis_perf.exe, ferrolis_perf_floor.exe,
# ferrolis_pwtool.exe).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bin="$root/build/win64"
work="$root/build/perf"
export WINEPREFIX="$work/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG="-all"
uninstall='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

n=80
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n"

rm -rf "$work"
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
wineserver -p
wine "$bin/ferrolis_pwtool.exe" write 'C:\windows\system32\FRLS.PW' perf >/dev/null

# 2,000 uninstall entries, each listed (a display name and an uninstall command).
python3 - "$work/entries.reg" <<'PY'
import sys
lines = ["Windows Registry Editor Version 5.00", ""]
for i in range(2000):
    lines += [r"[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\PerfEntry%04d]" % i,
              '"DisplayName"="Programme de mesure %04d"' % i,
              r'"UninstallString"="C:\\Program Files\\Mesure\\uninst%04d.exe"' % i,
              '"Version"=dword:%08x' % i, ""]
open(sys.argv[1], "w", encoding="utf-16").write("\r\n".join(lines) + "\r\n")
PY
wine regedit /s "$(winepath -w "$work/entries.reg")" >/dev/null 2>&1

perf() { wine "$bin/ferrolis_perf.exe" "$@" | tr -d '\r'; }
# In turn, one run of each per round: notepad, the access window, and the
# floor (one empty window with the program's manifest, nothing else).
{
  read -r notepad_ms
  read -r gate_ms
  read -r floor_ms
} < <(perf launch 5 "Untitled - Notepad" notepad.exe \
  "Mot de Passe" "$(winepath -w "$bin/ferrolis.exe")" \
  "Mot de Passe" "$(winepath -w "$bin/ferrolis_perf_floor.exe")")
query_ms=$(perf run 5 "reg query $uninstall /s")
loads=()
deletes=()
for _ in 1 2 3; do
  out=$(perf main "$(winepath -w "$bin/ferrolis.exe")" perf 50)
  loads+=("$(sed -n 's/^load_ms=\([0-9]*\).*/\1/p' <<<"$out")")
  deletes+=("$(sed -n 's/^delete_ms=\([0-9]*\).*/\1/p' <<<"$out")")
  # The next run needs the 50 entries back.
  wine regedit /s "$(winepath -w "$work/entries.reg")" >/dev/null 2>&1
done
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
load_ms=$(median "${loads[@]}")
delete_ms=$(median "${deletes[@]}")

echo "Machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n 1)," \
  "$(free -g | awk '/^Mem:/ {print $2}') GiB, $(wine --version), $(date -u +%Y-%m-%d)"
printf '%-58s %8s\n' "Measure (median)" "ms"
printf '%-58s %8s\n' "notepad.exe: launch to its window (5 runs)" "$notepad_ms"
ratio() { python3 -c "print(round($1 / $2, 2))"; }
printf '%-58s %8s  (%s x notepad)\n' "ferrolis.exe: launch to the access window (5 runs)" "$gate_ms" \
  "$(ratio "$gate_ms" "$notepad_ms")"
printf '%-58s %8s  (%s x notepad)\n' "Floor: an empty window, same manifest (5 runs)" "$floor_ms" \
  "$(ratio "$floor_ms" "$notepad_ms")"
printf '%-58s %8s\n' "reg query of the uninstall key /s, 2,000 entries (5 runs)" "$query_ms"
printf '%-58s %8s  (%s x reg query)\n' "Main window: password accepted to loaded, 2,000 entries" "$load_ms" \
  "$(ratio "$load_ms" "$query_ms")"
printf '%-58s %8s\n' "Deleting 50 selected lines, refresh included (3 runs)" "$delete_ms"
