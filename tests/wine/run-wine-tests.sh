#!/usr/bin/env bash
# Runs the Wine test binary against the real Win32 layer: first with drive A
# mapped to a folder of the prefix, then with drive A absent for the tests
# that need a missing floppy drive. FERROLIS_WINE_TESTS_ONE_PASS=1 runs the
# first pass only: the emulated i686 Wine takes a minute to start, and the
# tests without drive A run the same code in both builds.
# FERROLIS_WINE_TESTS_EXCLUDE is a gtest pattern of tests the first pass leaves
# out (the i686 run under emulation uses it).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
exe="$1"
shift
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-tests}"
run() { "$root/scripts/wine-run.sh" "$exe" --gtest_brief=1 "$@"; }

# Creates the prefix when needed.
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true

floppy="$WINEPREFIX/drive_c/ferrolis-floppy"
mkdir -p "$floppy"
ln -sfn "$floppy" "$WINEPREFIX/dosdevices/a:"
trap 'rm -f "$WINEPREFIX/dosdevices/a:"' EXIT
FERROLIS_FLOPPY_FOLDER='C:\ferrolis-floppy\' run --gtest_filter="-*WithoutDriveA*${FERROLIS_WINE_TESTS_EXCLUDE:+:$FERROLIS_WINE_TESTS_EXCLUDE}" "$@"

rm -f "$WINEPREFIX/dosdevices/a:"
[ -z "${FERROLIS_WINE_TESTS_ONE_PASS:-}" ] || exit 0
run --gtest_filter='*WithoutDriveA*' "$@"
