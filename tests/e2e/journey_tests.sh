# shellcheck shell=bash
# shellcheck disable=SC2154 # names from lib.sh and the other test files, sourced before this one
# (POLICIES, WINLOGON, SAVE_BUTTON, CLEAR_TEXT and expect_saved from mainwindow_tests.sh)
# A new administrator's day, end to end: the first start, the access password, restrictions
# in both scopes and the scope question answered Cancel, Yes and No, automatic logon with a
# replacement shell, two uninstall entries removed and one restored, both About boxes,
# quitting with the reminder and the closing question, and the next start. The other tests
# look at each screen closely; this one checks every effect once, in the registry and in the
# password file, as Windows would find them.

SCOPE_BOX="FerrolisNT"
QUIT_BOX="Quitter Ferrolis"
KIOSK_WIN='C:\Kiosque\kiosque.exe'
ACCESS_PASSWORD="Journée n°1"

# answer <title> <facts> <prompt> <button id>: that box shows up, with that prompt, is
# answered and closes. Two boxes of one title can follow each other.
answer() {
  local out
  for _ in $(seq 20); do
    out=$(drv msgbox "$1" 5000) || break
    [ "$(tail -n +2 <<<"$out")" == "$3" ] && break
    sleep 0.2
  done
  expect_box "$1" "$2" "$3" 0 && drv button "$1" "$4" || return 1
  for _ in $(seq 25); do
    out=$(drv msgbox "$1" 0) || return 0
    [ "$(tail -n +2 <<<"$out")" == "$3" ] || return 0
    sleep 0.2
  done
  fail "the box '$3' stayed"
}

# expect_listed <lines>: the uninstall list's "Journée" lines, within 3 seconds.
expect_listed() {
  local got
  for _ in $(seq 15); do
    got=$(drv lines "$MAIN" "$PROGRAM_LIST" | tr -d '\r' | grep Journée)
    [ "$got" == "$1" ] && return 0
    sleep 0.2
  done
  fail $'uninstall list: expected\n'"$1"$'\ngot\n'"$got"
}

# The backup file that holds an uninstall entry's key.
backup_of() {
  local file
  for file in "$WINEPREFIX"/drive_c/users/*/AppData/Local/Ferrolis/Sauvegardes/*.reg; do
    # Two clicks in one second give "<time>.reg" and "<time> (2).reg": the match may be any file,
    # so a miss on the last one must not become the function's status.
    if iconv -f UTF-16 -t UTF-8 "$file" | grep -qF "\\Uninstall\\$1]"; then echo "$file"; fi
  done
}

test_a_new_administrators_day() {
  # The machine as Windows leaves it: no password file, no restriction, no automatic logon.
  local name
  rm -f "$SYSTEM_PW" "$SYSWOW64_PW"
  wine reg delete "HKCU\\$POLICIES" /f >/dev/null 2>&1 || true
  wine reg delete "HKLM\\$POLICIES" /f >/dev/null 2>&1 || true
  for name in AutoAdminLogon DefaultUserName DefaultPassword DefaultDomainName; do
    wine reg delete "$WINLOGON" /v "$name" /f >/dev/null 2>&1 || true
  done
  wine reg add "$WINLOGON" /v Shell /d explorer.exe /f >/dev/null 2>&1
  add_entry JourneyEditor "Journée Éditeur" 'C:\Editeur\uninst.exe'
  add_entry JourneyGames "Journée Jeux" 'C:\Jeux\uninst.exe'
  add_entry JourneyTools "Journée Outils" 'C:\Outils\uninst.exe'
  mkdir -p "$WINEPREFIX/drive_c/Kiosque"
  cp "$E2E_BIN/ferrolis_fixture.exe" "$WINEPREFIX/drive_c/Kiosque/kiosque.exe"

  # First start: the first-use box, then the gate opens with the empty password.
  start_ferrolis
  ferrolis_pid=$started_pid
  drv msgbox "Première utilisation de Ferrolis" 20000 >/dev/null || fail "no first-use box"
  drv button "Première utilisation de Ferrolis" 1
  expect_window "$GATE"
  drv type "$GATE" "$PASSWORD_BOX" "" --enter
  expect_main_window

  # The access password, set in the frame: the empty old one validated, the new one stored
  # in the system directory only, since no earlier 32-bit copy is there to keep in step.
  drv click "$MAIN" "Valider"
  expect_focus "$MAIN" "$NEW_BOX" "the new password box"
  drv type "$MAIN" "$NEW_BOX" "$ACCESS_PASSWORD"
  drv click "$MAIN" "Valider && Enregistrer"
  reference_encode "$E2E_WORK/expected.pw" "$ACCESS_PASSWORD"
  cmp "$SYSTEM_PW" "$E2E_WORK/expected.pw" || fail "the password file is not the new password"
  [ ! -e "$SYSWOW64_PW" ] || fail "a SysWOW64 copy was created"

  # One restriction for the current user. The switch to all users is cancelled, so the next
  # one asks again, and Yes saves the box into the scope being left.
  drv click "$MAIN" "Désactiver le bouton < Exécuter>"
  drv click "$MAIN" "Tous les utilisateurs"
  answer "$SCOPE_BOX" "icon=1 buttons=6,7,2" "Voulez vous enregistrer les paramètres ?" 2
  drv click "$MAIN" "Tous les utilisateurs"
  answer "$SCOPE_BOX" "icon=1 buttons=6,7,2" "Voulez vous enregistrer les paramètres ?" 6

  # Two restrictions for all users, automatic logon and a replacement shell that exists.
  drv click "$MAIN" "Désactiver le menu < Paramètres >"
  drv click "$MAIN" "Désactiver les Icônes du bureau"
  drv click "$MAIN" "Utiliser  AutoLogin"
  drv type "$MAIN" "Nom utilisateur" "Hélène"
  drv type "$MAIN" "Mot de passe utilisateur" "Soleil 7"
  drv type "$MAIN" "Confirmer le mot de passe" "Soleil 7"
  drv type "$MAIN" "Domaine" "ATELIER"
  drv settext "$MAIN" "Exécuter Shell" "$KIOSK_WIN"
  drv click "$MAIN" "$SAVE_BUTTON"
  expect_saved
  answer "$SAVE_BUTTON" "icon=1 buttons=1" "$CLEAR_TEXT" 1
  expect_reg "$WINLOGON" DefaultPassword "REG_SZ Soleil 7"
  expect_no_box "Exécuter Shell" 500
  shot journey_saved "$MAIN"

  # A long pattern as the shell: kept out, in a box that quotes its start and end only.
  local pattern out
  pattern="C:\\$(printf 'a%.0s' {1..300})\\*.exe"
  drv settext "$MAIN" "Exécuter Shell" "$pattern"
  drv click "$MAIN" "$SAVE_BUTTON"
  answer "$SAVE_BUTTON" "icon=1 buttons=1" "$CLEAR_TEXT" 1
  out=$(drv msgbox "Exécuter Shell" 5000) || fail "no box for the pattern"
  grep -qF "« C:\\aaaa" <<<"$out" && grep -qF "a…a" <<<"$out" &&
    grep -qF "aaa\\*.exe » contient un caractère générique" <<<"$out" ||
    fail "the box does not quote the pattern's start and end: $out"
  shot journey_shell_pattern "Exécuter Shell"
  local width
  width=$(drv rect "Exécuter Shell" | cut -dx -f1)
  [ "${width:-9999}" -le 800 ] || fail "the Shell box is $width px wide"
  drv button "Exécuter Shell" 1
  expect_reg "$WINLOGON" Shell "REG_SZ $KIOSK_WIN"
  drv settext "$MAIN" "Exécuter Shell" "$KIOSK_WIN"

  # A third one for all users, dropped by No on the way to the current user's scope.
  drv click "$MAIN" "Désactiver le voisinage réseau"
  drv click "$MAIN" "Utilisateur courant"
  answer "$SCOPE_BOX" "icon=1 buttons=6,7,2" "Voulez vous enregistrer ces paramètres ?" 7
  drv click "$MAIN" "Tous les utilisateurs"
  expect_no_box "$SCOPE_BOX" 500

  # Two uninstall entries removed, one click on the delete button each; one comes back from
  # its backup through the registry editor.
  click_line "$MAIN" "$PROGRAM_LIST" "Journée Éditeur"
  drv click "$MAIN" "Supprimer de la liste"
  expect_listed $'  Journée Jeux\n  Journée Outils'
  click_line "$MAIN" "$PROGRAM_LIST" "Journée Jeux"
  drv click "$MAIN" "Supprimer de la liste"
  expect_listed "  Journée Outils"
  local backup
  backup=$(backup_of JourneyGames)
  [ -n "$backup" ] || fail "no backup holds JourneyGames"
  [ -n "$(backup_of JourneyEditor)" ] || fail "no backup holds JourneyEditor"
  wine regedit /s "$(winepath -w "$backup")" >/dev/null 2>&1
  drv click "$MAIN" "Rafraîchir"
  expect_listed $'  Journée Jeux\n  Journée Outils'

  # Both About boxes from the menu.
  xdotool key F10 Right Down Return
  expect_window "$SHELL_ABOUT"
  xdotool key Return
  drv gone "$SHELL_ABOUT" 3000 || fail "the shell's About box stayed"
  menu_click 38
  expect_about_window
  xdotool key Escape
  drv gone "$ABOUT" 3000 || fail "the About window stayed"

  # Quitting with an unsaved domain: the reminder, then the question, answered Yes.
  drv settext "$MAIN" "Domaine" "ATELIER-2"
  drv click "$MAIN" "Quitter"
  answer "$QUIT_BOX" "icon=1 buttons=1" \
    $'Vous devez redémarrer le micro-ordinateur\npour que les modifications soient prises en compte !' 1
  answer "$QUIT_BOX" "icon=1 buttons=6,7" "Voulez vous enregistrer les modifications ?" 6
  answer "$SAVE_BUTTON" "icon=1 buttons=1" "$CLEAR_TEXT" 1
  ended "$ferrolis_pid" 10

  # What Windows finds at its next start.
  expect_reg "HKCU\\$POLICIES" NoRun "REG_DWORD 0x1"
  for name in NoSetFolders NoDesktop NoNetHood; do expect_reg "HKCU\\$POLICIES" "$name" ""; done
  for name in NoSetFolders NoSetActiveDesktop NoSetTaskbar NoFolderOptions NoDesktop; do
    expect_reg "HKLM\\$POLICIES" "$name" "REG_DWORD 0x1"
  done
  for name in NoRun NoNetHood; do expect_reg "HKLM\\$POLICIES" "$name" ""; done
  expect_reg "$WINLOGON" AutoAdminLogon "REG_SZ 1"
  expect_reg "$WINLOGON" DefaultUserName "REG_SZ Hélène"
  expect_reg "$WINLOGON" DefaultPassword "REG_SZ Soleil 7"
  expect_reg "$WINLOGON" DefaultDomainName "REG_SZ ATELIER-2"
  expect_reg "$WINLOGON" PowerdownAfterShutdown "REG_SZ 1"
  expect_reg "$WINLOGON" Shell "REG_SZ $KIOSK_WIN"
  if entry_exists JourneyEditor; then fail "JourneyEditor is still in the registry"; fi
  expect_reg "$UNINSTALL\\JourneyGames" DisplayName "REG_SZ Journée Jeux"
  expect_reg "$UNINSTALL\\JourneyTools" DisplayName "REG_SZ Journée Outils"

  # The next start: a wrong password is refused, the new one opens on what was saved.
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "Journée" --enter
  expect_refused
  drv type "$GATE" "$PASSWORD_BOX" "$ACCESS_PASSWORD" --enter
  expect_main_window
  expect_text "$MAIN" "Nom utilisateur" "Hélène"
  drv close "$MAIN"
  ended "$ferrolis_pid" 5
}
E2E_TESTS+=(test_a_new_administrators_day)
