# shellcheck shell=bash
# shellcheck disable=SC2154 # names from lib.sh and the test files sourced before this one
# What only the i686 build on 64-bit Windows does: the native system directory's password file,
# reached through Sysnative, before an earlier release's SysWOW64 copy, read when alone; the
# 64-bit registry view; Annuler ending the program, through the 32-bit runtime, with status 0.
# E2E_I686=1 tests/e2e/run.sh runs it alone. Each start takes about a minute: two in all.

FERROLIS32="$E2E_ROOT/build/win32/ferrolis.exe"
SLOW=240000 # ms: a start under emulation, or a window shown for the first time

i686_start() {
  E2E_LOADER="$E2E_ROOT/build/i686-wine/wine32" start "$FERROLIS32"
  ferrolis_pid=$started_pid
  expect_window "$GATE" $SLOW
}

i686_refused() { # <password>
  drv type "$GATE" "$PASSWORD_BOX" "$1" --enter
  expect_box "$WRONG_BOX" "icon=1 buttons=1" "$WRONG_PROMPT" $SLOW
  drv button "$WRONG_BOX" 1
  drv gone "$WRONG_BOX" 10000 || fail "the wrong-password box stayed"
}

test_i686_on_64_bit_windows() {
  add_entry I686Native "I686 Journée" 'C:\Natif\uninst.exe' 64
  add_entry I686Wow "I686 Journée" 'C:\Wow\uninst.exe' 32
  pwtool_write "$SYSTEM_PW_WIN" "Natif 64"
  reference_encode "$SYSWOW64_PW" "Ancien 32"
  i686_start
  i686_refused "Ancien 32"
  drv type "$GATE" "$PASSWORD_BOX" "Natif 64" --enter
  expect_window "$MAIN" $SLOW
  shot i686_main "$MAIN"

  # Wine shares the policies key between the views; the uninstall entries tell them apart.
  drv click "$MAIN" "Tous les utilisateurs"
  drv click "$MAIN" "$NO_RUN"
  drv click "$MAIN" "$SAVE_BUTTON"
  expect_saved
  expect_reg "HKLM\\$POLICIES" NoRun "REG_DWORD 0x1"

  # One line deletes the entries of its name in both views, one backup restores each in its own.
  click_line "$MAIN" "$PROGRAM_LIST" "I686 Journée"
  drv click "$MAIN" "Supprimer de la liste"
  for _ in $(seq 50); do
    entry_exists I686Native 64 || entry_exists I686Wow 32 || break
    sleep 0.2
  done
  if entry_exists I686Native 64 || entry_exists I686Wow 32; then fail "an entry is left"; fi
  local backup
  backup=$(backup_of I686Native)
  expect_eq "the backup of both entries" "$backup" "$(backup_of I686Wow)"
  wine regedit /s "$(winepath -w "$backup")" >/dev/null 2>&1
  expect_reg "$UNINSTALL\\I686Native" UninstallString 'REG_SZ C:\Natif\uninst.exe' 64
  expect_reg "$UNINSTALL\\I686Wow" UninstallString 'REG_SZ C:\Wow\uninst.exe' 32
  if entry_exists I686Wow 64; then fail "the 32-bit entry came back in the 64-bit view"; fi
  drv close "$MAIN"
  ended "$ferrolis_pid" 30

  # The SysWOW64 copy alone: no first use, the native copy's password refused; Annuler ends
  # the program by itself (an abort box would hold it) with status 0.
  rm -f "$SYSTEM_PW"
  i686_start
  expect_no_box "Première utilisation de Ferrolis" 200
  i686_refused "Natif 64"
  drv click "$GATE" "&Annuler"
  ended "$ferrolis_pid" 30
  local status=0
  wait "$ferrolis_pid" || status=$?
  expect_eq "exit status after Annuler" 0 "$status"
}
if [ -n "${E2E_I686:-}" ]; then E2E_TESTS=(test_i686_on_64_bit_windows); fi
