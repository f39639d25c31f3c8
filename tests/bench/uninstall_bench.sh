#!/usr/bin/env bash
# The uninstall panel with 2,000 entries: natively on the doubles, then under
# Wine on the real registry and windows, beside Wine's `reg query /s` of the
# same key. Uses a prefix of its own (build/wine-bench).
#   tests/bench/uninstall_bench.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env FERROLIS_WINE_UNMANAGED=1 "$0" "$@"
fi
export WINEPREFIX="$root/build/wine-bench"
run() { "$root/scripts/wine-run.sh" "$@"; }
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

echo "== native (doubles, $(grep -o 'CMAKE_BUILD_TYPE:STRING=.*' "$root/build/native/CMakeCache.txt" | cut -d= -f2) build)"
"$root/build/native/ferrolis_uninstall_bench"

echo "== Wine (real registry and windows)"
run cmd /c exit 0 >/dev/null 2>&1 || true
run "$root/build/win64/ferrolis_uninstall_bench.exe" | tr -d '\r'

# The same 2,000 entries again for `reg query /s`: the benchmark removes its
# entries when it ends, so a small helper run keeps them this time.
FERROLIS_BENCH_KEEP=1 run "$root/build/win64/ferrolis_uninstall_bench.exe" >/dev/null
for i in 1 2 3; do
  start=$(date +%s.%N)
  run reg query "$key" /s >/dev/null
  end=$(date +%s.%N)
  echo "reg query /s of the key (whole wine start included): $(echo "($end - $start) * 1000" | bc) ms"
done
start=$(date +%s.%N); run cmd /c exit 0; end=$(date +%s.%N)
echo "a wine start alone (cmd /c exit 0):                 $(echo "($end - $start) * 1000" | bc) ms"
run reg query "$key" /s | tr -d '\r' | grep -c 'Programme de test' | sed 's/^/entries seen by reg query: /'
FERROLIS_BENCH_CLEAN=1 run "$root/build/win64/ferrolis_uninstall_bench.exe" >/dev/null
