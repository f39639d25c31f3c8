#!/usr/bin/env bash
# Switches the row "Désactiver le bouton < Exécuter>" (index 4) on and off for
# the current user with ferrolis_restriction_switch.exe, and checks each time
# with Wine's own `reg query` what the registry holds: NoRun as REG_DWORD 0x1,
# then no NoRun at all. Policy keys that were not there before are removed.
#   tests/wine/check_restriction_reg.sh build/win64/ferrolis_restriction_switch.exe
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
tool="${1:-$root/build/win64/ferrolis_restriction_switch.exe}"
run() { "$root/scripts/wine-run.sh" "$@"; }
policies='HKCU\Software\Microsoft\Windows\CurrentVersion\Policies'
explorer="$policies\\Explorer"

had_policies=0; run reg query "$policies" >/dev/null 2>&1 && had_policies=1
had_explorer=0; run reg query "$explorer" >/dev/null 2>&1 && had_explorer=1
cleanup() {
  if [ "$had_explorer" = 0 ]; then run reg delete "$explorer" /f >/dev/null 2>&1 || true; fi
  if [ "$had_policies" = 0 ]; then run reg delete "$policies" /f >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(run "$tool" 4 on user | tr -d '\r')" = on ] || fail "row 4 did not read back as on"
out="$(run reg query "$explorer" /v NoRun 2>&1 | tr -d '\r')" || fail "NoRun missing after on: $out"
echo "$out" | grep -Eq '^ +NoRun +REG_DWORD +0x1$' || fail "unexpected NoRun after on: $out"

[ "$(run "$tool" 4 off user | tr -d '\r')" = off ] || fail "row 4 did not read back as off"
if out="$(run reg query "$explorer" /v NoRun 2>&1 | tr -d '\r')"; then
  fail "NoRun still present after off: $out"
fi
run reg query "$explorer" >/dev/null 2>&1 || fail "the policy key went with the value"
echo "NoRun: REG_DWORD 0x1 when on, absent when off"
