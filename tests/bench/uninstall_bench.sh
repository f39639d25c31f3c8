#!/usr/bin/env bash
# The uninstall panel with 2,000 entries (a refresh, and deleting 50 selected
# lines): natively on the doubles, then under Wine on the real registry, with
# the window headless and with its real windows, beside Wine's `reg query /s`
# of the same key timed from inside Wine. A benchmark, not a test. Uses a
# prefix of its own (build/wine-bench). Needs the win64 build and a native one:
#   cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release
#   cmake --build build/bench-native --target ferrolis_uninstall_bench
#   tests/bench/uninstall_bench.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env FERROLIS_WINE_UNMANAGED=1 "$0" "$@"
fi
export WINEPREFIX="$root/build/wine-bench"
run() { "$root/scripts/wine-run.sh" "$@" | tr -d '\r'; }
bench="$root/build/win64/ferrolis_uninstall_bench.exe"
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

# The Release build of the README's registry benchmark when there is one.
native="$root/build/bench-native"
[ -x "$native/ferrolis_uninstall_bench" ] || native="$root/build/native"
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$native/CMakeCache.txt")"
echo "== native, on the doubles ($build_type build)"
"$native/ferrolis_uninstall_bench"

echo "== Wine, real registry, headless window"
run "$bench" --headless
echo "== Wine, real registry, real window"
run "$bench"

# The same 2,000 entries for `reg query /s` (the benchmark removes its own).
FERROLIS_BENCH_KEEP=1 run "$bench"
echo "== Wine, reg query $key /s (2,000 entries)"
echo "median of 5, from inside Wine: $(run "$root/build/win64/ferrolis_perf.exe" run 5 "reg query $key /s") ms"
FERROLIS_BENCH_CLEAN=1 run "$bench"
