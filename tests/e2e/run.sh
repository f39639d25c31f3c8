#!/usr/bin/env bash
# End-to-end tests: the real ferrolis.exe under Wine in a virtual X display, driven through
# window messages by ferrolis_driver.exe.
#
#   tests/e2e/run.sh [pattern]     runs the tests whose name contains the pattern
#   E2E_I686=1 tests/e2e/run.sh    runs the i686 build's journey instead (i686_tests.sh)
#
# Needs the win64 build (ferrolis.exe, ferrolis_driver.exe, ferrolis_fixture.exe).
# Screenshots go to build/screenshots/; E2E_UPDATE_DOCS=1 also refreshes docs/gate.png, docs/about.png
# and docs/main.png.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=tests/e2e/lib.sh
source "$here/lib.sh"

E2E_TESTS=()
# shellcheck source=tests/e2e/driver_tests.sh
source "$here/driver_tests.sh"
# shellcheck source=tests/e2e/gate_tests.sh
source "$here/gate_tests.sh"
# shellcheck source=tests/e2e/password_tests.sh
source "$here/password_tests.sh"
# shellcheck source=tests/e2e/about_tests.sh
source "$here/about_tests.sh"
# shellcheck source=tests/e2e/uninstall_tests.sh
source "$here/uninstall_tests.sh"
# shellcheck source=tests/e2e/toolkit_tests.sh
source "$here/toolkit_tests.sh"
# shellcheck source=tests/e2e/mainwindow_tests.sh
source "$here/mainwindow_tests.sh"
# shellcheck source=tests/e2e/journey_tests.sh
source "$here/journey_tests.sh"
# shellcheck source=tests/e2e/i686_tests.sh
source "$here/i686_tests.sh"

for exe in "$FERROLIS" "$DRIVER" "$E2E_BIN/ferrolis_fixture.exe"; do
  if [ ! -f "$exe" ]; then
    echo "missing $exe: build with 'cmake --preset win64 && cmake --build --preset win64'" >&2
    echo "e2e: 0 passed, 1 failed"
    exit 1
  fi
done

mkdir -p "$E2E_WORK"
rm -f "$PIDS_FILE"
rm -rf "$E2E_SHOTS" "$E2E_FAILURES"
trap cleanup_environment EXIT
trap 'exit 130' INT TERM
start_display || exit 1
make_prefix

# failed_at <command>: the command that ended a test, and the calls that led to it.
failed_at() {
  echo "failed: $1" >&2
  local i
  for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do
    echo "  in ${FUNCNAME[i]} (${BASH_SOURCE[i]##*/}:${BASH_LINENO[i - 1]})" >&2
  done
}

passed=0
failed=0
skipped=0
log="$E2E_WORK/test.log"
for t in "${E2E_TESTS[@]}"; do
  name="${t#test_}"
  [[ "$name" == *"${1:-}"* ]] || continue
  rm -rf "$E2E_OUTPUT"
  # A subshell with -e: the first failing check ends the test and is named in its log.
  (
    set -eE
    trap 'failed_at "$BASH_COMMAND"' ERR
    "$t"
  ) >"$log" 2>&1
  rc=$?
  # What the screen showed when a test failed.
  if [ $rc -ne 0 ] && [ $rc -ne 77 ]; then
    shot "failed_$name" 2>/dev/null
    keep="$E2E_FAILURES/$name"
    rm -rf "$keep"
    mkdir -p "$keep"
    cp "$log" "$keep/test.log"
    cp "$E2E_SHOTS/failed_$name.png" "$keep/screen.png" 2>/dev/null || true
    cp -r "$E2E_OUTPUT" "$keep/programs" 2>/dev/null || true
  fi
  end_programs
  unmap_floppy
  rm -f "$SYSWOW64_PW"
  if [ $rc -eq 0 ]; then
    echo "ok - $name"
    passed=$((passed + 1))
  elif [ $rc -eq 77 ]; then
    echo "ok - $name # SKIP $(tail -n 1 "$log")"
    skipped=$((skipped + 1))
  else
    echo "not ok - $name"
    sed 's/^/#   /' "$log"
    echo "#   kept in $E2E_FAILURES/$name (log, screen, programs' output)"
    failed=$((failed + 1))
  fi
done

if [ "$skipped" -gt 0 ]; then
  echo "e2e: $passed passed, $failed failed, $skipped skipped"
else
  echo "e2e: $passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
