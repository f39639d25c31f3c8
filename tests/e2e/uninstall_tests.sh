# shellcheck shell=bash
# shellcheck disable=SC2154 # names set by lib.sh and gate_tests.sh
# The uninstall list of the main window: entries written with Wine's `reg add` in both
# registry views of the 64-bit prefix show in it, three lines chosen with the mouse and the
# keyboard are deleted with every entry carrying their names, and the backup file brings
# them all back, each in its view, through Wine's regedit; an entry whose key name holds a
# slash is deleted and brought back as that one key.

UNINSTALL='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
PROGRAM_LIST="ListBox[0]"

# add_entry <subkey> <display name> [uninstall command [registry view: 32 or 64]]
add_entry() {
  wine reg add "$UNINSTALL\\$1" /v DisplayName /d "$2" /f "/reg:${4:-64}" >/dev/null 2>&1
  if [ -n "${3:-}" ]; then
    wine reg add "$UNINSTALL\\$1" /v UninstallString /d "$3" /f "/reg:${4:-64}" >/dev/null 2>&1
  fi
}

# entry_exists <subkey> [registry view: 32 or 64]
entry_exists() { wine reg query "$UNINSTALL\\$1" "/reg:${2:-64}" >/dev/null 2>&1; }

program_lines() { drv lines "$MAIN" "$PROGRAM_LIST" | tr -d '\r' | grep -i 'e2e'; }

# expect_lines <expected lines, one a line with "* " or "  " before each>: within 3 s.
expect_lines() {
  local got
  for _ in $(seq 15); do
    got=$(program_lines)
    [ "$got" == "$1" ] && return 0
    sleep 0.2
  done
  fail $'uninstall list: expected\n'"$1"$'\ngot\n'"$got"
}

test_uninstall_entries_deleted_with_their_backup() {
  need_pwtool
  add_entry E2EAlpha "E2E Alpha" 'C:\Alpha\uninst.exe'
  add_entry E2EBeta "E2E Beta" 'C:\Beta\uninst.exe'
  wine reg add "$UNINSTALL\\E2EBeta" /v Version /t REG_DWORD /d 3 /f >/dev/null 2>&1
  wine reg add "$UNINSTALL\\E2EBeta\\Composants\\Pilote" /v Octets /t REG_BINARY /d 0aff /f \
    >/dev/null 2>&1
  add_entry E2EBetaUnlisted "E2E Beta" # no command: not listed, but it carries the name
  add_entry E2EDelta "E2E Delta" 'C:\Delta\uninst.exe'
  add_entry E2EDeltaCase "e2e delta" 'C:\delta\uninst.exe' # differs in case only
  add_entry E2EGamma "E2E Gamma" 'C:\Gamma\uninst.exe'
  # A 32-bit program's entry, with a name outside the ANSI code page.
  add_entry E2ELukasz "E2E Łukasz 32 bits" 'C:\Lukasz\uninst.exe' 32
  pwtool_write "$SYSTEM_PW_WIN" "Liste"
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "Liste" --enter
  expect_main_window
  drv click "$MAIN" "Rafraîchir"
  expect_lines "  E2E Alpha
  E2E Beta
  E2E Delta
  e2e delta
  E2E Gamma
  E2E Łukasz 32 bits"
  shot uninstall_list "$MAIN"

  # "E2E Beta" with the mouse, then Shift+Down adds "E2E Delta".
  local geometry x y w h
  geometry=$(drv linerect "$MAIN" "$PROGRAM_LIST" 1 | tr -d '\r')
  IFS='x+' read -r w h x y <<<"$geometry"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  expect_lines "  E2E Alpha
* E2E Beta
  E2E Delta
  e2e delta
  E2E Gamma
  E2E Łukasz 32 bits"
  xdotool key shift+Down
  expect_lines "  E2E Alpha
* E2E Beta
* E2E Delta
  e2e delta
  E2E Gamma
  E2E Łukasz 32 bits"
  geometry=$(drv linerect "$MAIN" "$PROGRAM_LIST" 5 | tr -d '\r')
  IFS='x+' read -r w h x y <<<"$geometry"
  xdotool keydown ctrl mousemove $((x + w / 2)) $((y + h / 2)) click 1 keyup ctrl
  expect_lines "  E2E Alpha
* E2E Beta
* E2E Delta
  e2e delta
  E2E Gamma
* E2E Łukasz 32 bits"
  shot uninstall_selected "$MAIN"

  drv click "$MAIN" "Supprimer de la liste"
  expect_lines "  E2E Alpha
  e2e delta
  E2E Gamma"
  expect_no_box "Supprimer de la liste" 300
  local key
  for key in E2EBeta E2EBetaUnlisted E2EDelta; do
    if entry_exists "$key"; then fail "$key is still in the registry"; fi
  done
  for key in E2EAlpha E2EDeltaCase E2EGamma; do
    entry_exists "$key" || fail "$key was deleted"
  done
  if entry_exists E2ELukasz 32; then fail "E2ELukasz is still in the 32-bit view"; fi

  # One backup file for the click; the registry editor brings every key back.
  local backups
  backups=("$WINEPREFIX"/drive_c/users/*/AppData/Local/Ferrolis/Sauvegardes/*.reg)
  expect_eq "backup files" 1 "${#backups[@]}"
  [ -f "${backups[0]}" ] || fail "no backup file"
  wine regedit /s "$(winepath -w "${backups[0]}")" >/dev/null 2>&1
  wine reg query "$UNINSTALL\\E2EBeta" /v Version | tr -d '\r' | grep -Eq 'Version +REG_DWORD +0x3$' ||
    fail "E2EBeta's Version did not come back"
  wine reg query "$UNINSTALL\\E2EBeta\\Composants\\Pilote" /v Octets | tr -d '\r' |
    grep -Eq 'Octets +REG_BINARY +0AFF$' || fail "E2EBeta's subkeys did not come back"
  entry_exists E2EBetaUnlisted || fail "E2EBetaUnlisted did not come back"
  entry_exists E2EDelta || fail "E2EDelta did not come back"
  entry_exists E2ELukasz 32 || fail "E2ELukasz did not come back in the 32-bit view"
  if entry_exists E2ELukasz 64; then fail "E2ELukasz came back in the 64-bit view"; fi
  drv click "$MAIN" "Rafraîchir"
  expect_lines "  E2E Alpha
  E2E Beta
  E2E Delta
  e2e delta
  E2E Gamma
  E2E Łukasz 32 bits"

  # A key named with a slash is that one key: listed, deleted and backed up as itself; the
  # subkey Key of E2ESlash stays. Its long name gives the list a horizontal scroll bar.
  local oblique="E2E Oblique, un programme au nom bien plus long que la liste n'est large, avec son éditeur et sa version (10.4.2, 64 bits)"
  add_entry 'E2ESlash/Key' "$oblique" 'C:\Oblique\uninst.exe'
  add_entry 'E2ESlash\Key' "E2E Sous-clé" 'C:\Autre\uninst.exe'
  local before
  before=$(program_lines)
  drv click "$MAIN" "Rafraîchir"
  expect_lines "$before
  $oblique"
  shot uninstall_long_line "$MAIN"
  # The last line is below the list's edge: a click on the first, then End.
  click_line "$MAIN" "$PROGRAM_LIST" "E2E Alpha"
  xdotool key End
  expect_lines "$before
* $oblique"
  drv click "$MAIN" "Supprimer de la liste"
  expect_lines "$before"
  expect_no_box "Supprimer de la liste" 300
  if entry_exists 'E2ESlash/Key'; then fail "E2ESlash/Key is still in the registry"; fi
  expect_reg "$UNINSTALL\\E2ESlash\\Key" DisplayName "REG_SZ E2E Sous-clé"
  local file second=
  for file in "$WINEPREFIX"/drive_c/users/*/AppData/Local/Ferrolis/Sauvegardes/*.reg; do
    [ "$file" != "${backups[0]}" ] && second=$file
  done
  [ -n "$second" ] || fail "no backup file for the second click"
  wine regedit /s "$(winepath -w "$second")" >/dev/null 2>&1
  expect_reg "$UNINSTALL\\E2ESlash/Key" DisplayName "REG_SZ $oblique"
  expect_reg "$UNINSTALL\\E2ESlash/Key" UninstallString 'REG_SZ C:\Oblique\uninst.exe'
  expect_reg "$UNINSTALL\\E2ESlash\\Key" DisplayName "REG_SZ E2E Sous-clé"
}
E2E_TESTS+=(test_uninstall_entries_deleted_with_their_backup)
