#!/usr/bin/env bash
# Filling the toolkit fixture's list with 2,000 lines from inside one event,
# under Wine with a real window: the time spent in the handler and the time
# until the window is painted, for each build of the fixture given (default:
# this tree's win64 build). A benchmark, not a test. To compare with another
# revision, build its ferrolis_toolkit_fixture.exe and pass both:
#   tests/bench/toolkit/fill_bench.sh old/ferrolis_toolkit_fixture.exe build/win64/ferrolis_toolkit_fixture.exe
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export WINEPREFIX="$root/build/wine-bench"
[ $# -gt 0 ] || set -- "$root/build/win64/ferrolis_toolkit_fixture.exe"
for fixture in "$@"; do
  echo "== $fixture (${FILLS:-5} fills; the first warms up)"
  "$root/scripts/wine-run.sh" "$fixture" --fill "${FILLS:-5}" | tr -d '\r'
done
