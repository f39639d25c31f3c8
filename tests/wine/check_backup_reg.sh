#!/usr/bin/env bash
# A backup file brings a deleted key tree back byte for byte: a tree holding
# every value type, empty values, a default value and names with quotes,
# backslashes and letters outside the ANSI code page is written to a backup
# file as the program writes it, deleted with Wine's `reg delete`, imported
# with Wine's `regedit /s`, and read again with a raw reader.
#   tests/wine/check_backup_reg.sh build/win64/ferrolis_backup_tool.exe
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# One virtual display and one Wine session for every step.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" env FERROLIS_WINE_UNMANAGED=1 "$0" "$@"
fi
tool="${1:-$root/build/win64/ferrolis_backup_tool.exe}"
run() { "$root/scripts/wine-run.sh" "$@"; }
base='HKLM\SOFTWARE\FerrolisBackupTest'
work="$(mktemp -d)"
backup=''
cleanup() {
  run reg delete "$base" /f >/dev/null 2>&1 || true
  if [ -n "$backup" ]; then rm -f "$(run winepath -u "$backup" 2>/dev/null)"; fi
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

run reg delete "$base" /f >/dev/null 2>&1 || true
run "$tool" seed || fail "could not seed the tree"
run "$tool" dump | tr -d '\r' >"$work/before"
[ "$(grep -c '^key ' "$work/before")" = 5 ] || fail "unexpected tree: $(cat "$work/before")"

backup="$(run "$tool" backup | tr -d '\r')" || fail "no backup written"
file="$(run winepath -u "$backup" | tr -d '\r')"
[ -s "$file" ] || fail "backup file $backup is missing"
head -c 2 "$file" | od -An -tx1 | grep -q 'ff fe' || fail "backup file has no UTF-16LE byte order mark"

run reg delete "$base\\Entry" /f >/dev/null 2>&1 || fail "reg delete failed"
if run reg query "$base\\Entry" >/dev/null 2>&1; then fail "the entry is still there"; fi

run regedit /s "$backup" || fail "regedit /s failed"
run "$tool" dump | tr -d '\r' >"$work/after"
if ! diff -u "$work/before" "$work/after"; then fail "the imported tree differs"; fi
echo "backup restored $(grep -c '^  value ' "$work/after") values in $(grep -c '^key ' "$work/after") keys byte for byte"
