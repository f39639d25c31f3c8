# shellcheck shell=bash
# shellcheck disable=SC2154 # names from lib.sh, gate_tests.sh, about_tests.sh (click_at),
# uninstall_tests.sh (add_entry) and journey_tests.sh (answer)
# The main window, with the mouse and the keyboard: restrictions saved into each scope, the
# scope question and its three answers, automatic logon written to Winlogon, quitting with the
# restart reminder, the end of the session; then the window drawn at 200 % on a larger screen.

POLICIES='Software\Microsoft\Windows\CurrentVersion\Policies\Explorer'
WINLOGON='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Winlogon'
SAVE_BUTTON="Enregistrer la configuration"
NO_RUN="Désactiver le bouton < Exécuter>"

# stored <key> <value>: "TYPE data" as Wine's reg query shows it, empty when absent.
stored() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2  *\(REG_[A-Z_]*\)  *\(.*\)$/\1 \2/p"
}

# expect_policies <value> <HKLM data> <HKCU data>: the policy value in each root.
expect_policies() {
  expect_eq "$1 for all users" "$2" "$(stored "HKLM\\$POLICIES" "$1")" &&
    expect_eq "$1 for the current user" "$3" "$(stored "HKCU\\$POLICIES" "$1")"
}

# The save completes when its button goes disabled.
expect_saved() {
  for _ in $(seq 25); do
    drv list "$MAIN" | grep -F "\"$SAVE_BUTTON\"" | grep -q disabled && return 0
    sleep 0.2
  done
  fail "the save did not complete"
}

# Wine's LSA stores no secret: a save with an automatic logon password writes it in clear as
# the registry value, and says so in this box (answered with journey_tests.sh's answer).
CLEAR_TEXT="Le mot de passe AutoLogin n'a pas pu être protégé : il est enregistré en clair dans \
le registre (DefaultPassword)."

save_with_mouse() {
  click_at "$MAIN" "$SAVE_BUTTON"
  expect_saved
}

# expect_scope_question <prompt> <answer button id>
expect_scope_question() {
  expect_box "FerrolisNT" "icon=1 buttons=6,7,2" "$1"
  drv button "FerrolisNT" "$2"
}

# Through the gate with the keyboard alone.
open_main_window() {
  open_gate
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box"
  xdotool type "x"
  xdotool key Return
  expect_main_window
}

# on_screen_at_200_percent <WxH>: for the rest of the test, Wine's desktop on a screen of
# that size with 192 dots per inch, both put back afterwards whatever happens.
on_screen_at_200_percent() {
  local n=$((${DISPLAY#:} + 1))
  # Globals: the trap runs when the test's subshell ends, past this function's locals.
  normal_display=$DISPLAY
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  big_xvfb=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break || sleep 0.1; done
  restore_display() {
    set +e
    end_programs
    wineserver -k 2>/dev/null
    kill "$big_xvfb" 2>/dev/null
    export DISPLAY=$normal_display
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    wineserver -p
  }
  trap restore_display EXIT
  end_programs
  wineserver -k 2>/dev/null || true
  export DISPLAY=":$n"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$1" /f >/dev/null 2>&1
  wineserver -w
  wineserver -p || true
}

# The window at 200 % on a screen large enough for it.
shoot_at_200_percent() {
  on_screen_at_200_percent 1600x1400
  open_main_window
  shot main_200 "$MAIN"
  drv close "$MAIN"
  ended "$ferrolis_pid" 5
}

test_main_window_scopes_logon_and_quit() {
  local name
  for name in NoRun NoClose NoNetHood; do
    wine reg delete "HKLM\\$POLICIES" /v "$name" /f >/dev/null 2>&1 || true
    wine reg delete "HKCU\\$POLICIES" /v "$name" /f >/dev/null 2>&1 || true
  done
  add_entry Bureautique "Bureautique 2000" 'C:\Bureautique\desinstaller.exe'
  add_entry Visionneuse "Visionneuse d'images" 'C:\Visionneuse\uninst.exe'
  reference_encode "$SYSTEM_PW" "x"
  open_main_window
  expect_eq "uninstall list filled by the loading" $'  Bureautique 2000\n  Visionneuse d\'images' \
    "$(drv lines "$MAIN" "ListBox[0]" | tr -d '\r' | grep -E 'Bureautique|Visionneuse')"
  shot main "$MAIN"
  if [ "${E2E_UPDATE_DOCS:-}" = 1 ]; then cp "$E2E_SHOTS/main.png" "$E2E_ROOT/docs/"; fi
  expect_eq "names for a screen reader" "$(printf '%s\n' "Nom utilisateur" "Mot de passe utilisateur" \
    "Confirmer le mot de passe" "Domaine" "Exécuter Shell" "Ancien mot de passe :" "Nouveau mot de passe :" \
    "Ajouter / Supprimer de la liste les informations de désinstallation")" "$(names "$MAIN")"

  # All users: nothing pending, so no question. On, saved; off, saved.
  click_at "$MAIN" "Tous les utilisateurs"
  expect_no_box "FerrolisNT" 500
  click_at "$MAIN" "$NO_RUN"
  save_with_mouse
  expect_policies NoRun "REG_DWORD 0x1" ""
  click_at "$MAIN" "$NO_RUN"
  save_with_mouse
  expect_policies NoRun "" ""

  # The current user: the same lands under HKEY_CURRENT_USER only.
  click_at "$MAIN" "Utilisateur courant"
  expect_no_box "FerrolisNT" 500
  click_at "$MAIN" "$NO_RUN"
  save_with_mouse
  expect_policies NoRun "" "REG_DWORD 0x1"

  # Cancel: the scope and the tick stay, the save writes them for the current user.
  click_at "$MAIN" "Désactiver le menu <Arrêter>"
  click_at "$MAIN" "Tous les utilisateurs"
  expect_scope_question "Voulez vous enregistrer les paramètres ?" 2
  shot scope_question_cancelled "$MAIN"
  save_with_mouse
  expect_policies NoClose "" "REG_DWORD 0x1"
  # No: the tick is dropped and the scope changes; the next tick goes to all users.
  click_at "$MAIN" "Désactiver le voisinage réseau"
  click_at "$MAIN" "Tous les utilisateurs"
  expect_scope_question "Voulez vous enregistrer les paramètres ?" 7
  expect_saved
  expect_policies NoNetHood "" ""
  click_at "$MAIN" "Désactiver le voisinage réseau"
  # Yes: saved into the scope being left, then the current user's boxes come back.
  click_at "$MAIN" "Utilisateur courant"
  expect_scope_question "Voulez vous enregistrer ces paramètres ?" 6
  expect_saved
  expect_policies NoNetHood "REG_DWORD 0x1" ""
  expect_policies NoClose "" "REG_DWORD 0x1"

  # Automatic logon, typed field after field with Tab, saved with the keyboard.
  click_at "$MAIN" "Utiliser  AutoLogin"
  local field pair
  for field in kiosque "Mdp 2024" "Mdp 2024" BUREAU; do
    xdotool key Tab
    xdotool type "$field"
  done
  xdotool key Tab space
  expect_saved
  answer "$SAVE_BUTTON" "icon=1 buttons=1" "$CLEAR_TEXT" 1
  expect_no_box "Erreur" 300
  for pair in AutoAdminLogon=1 DefaultUserName=kiosque "DefaultPassword=Mdp 2024" \
    DefaultDomainName=BUREAU PowerdownAfterShutdown=1 Shell=explorer.exe; do
    expect_eq "${pair%%=*}" "REG_SZ ${pair#*=}" "$(stored "$WINLOGON" "${pair%%=*}")"
  done

  # The save button, disabled, handed the focus on to Quitter: the reminder, then the
  # program ends without a question.
  expect_focus "$MAIN" "Quitter" "the quit button"
  xdotool key space
  expect_box "Quitter Ferrolis" "icon=1 buttons=1" \
    $'Vous devez redémarrer le micro-ordinateur\npour que les modifications soient prises en compte !'
  shot restart_reminder "Quitter Ferrolis"
  drv button "Quitter Ferrolis" 1
  ended "$ferrolis_pid" 5

  shoot_at_200_percent
}
E2E_TESTS+=(test_main_window_scopes_logon_and_quit)

# Logoff as Windows asks it, from another process: the answer comes at once, after the closing
# question when there are edits, and the program ends only when the session does.
test_main_window_answers_the_session_end() {
  reference_encode "$SYSTEM_PW" "x"
  open_main_window
  expect_eq "nothing to save" 1 "$(drv session "$MAIN" query)"
  drv session "$MAIN" cancel
  click_at "$MAIN" "$NO_RUN"
  drv session "$MAIN" query >"$E2E_WORK/answer" &
  expect_box "Quitter Ferrolis" "icon=1 buttons=6,7" "Voulez vous enregistrer les modifications ?"
  xdotool key Escape
  wait $!
  expect_eq "Escape" 0 "$(cat "$E2E_WORK/answer")"
  drv list "$MAIN" | grep -F "\"$SAVE_BUTTON\"" | grep -qv disabled || fail "the edit was dropped"
  drv session "$MAIN" query >"$E2E_WORK/answer" &
  drv button "Quitter Ferrolis" 7
  wait $!
  expect_eq "Non" 1 "$(cat "$E2E_WORK/answer")"
  is_running "$ferrolis_pid" || fail "the program ended before the session did"
  drv session "$MAIN" end
  ended "$ferrolis_pid" 5
}
E2E_TESTS+=(test_main_window_answers_the_session_end)

# 200 % on a 1024 x 768 screen, where the window at that scale (about 1,200 pixels tall)
# cannot fit: it is laid out at the largest scale that fits, still above 100 %, and lies
# whole inside the work area, its bottom row of buttons included.
test_main_window_fits_a_small_screen_at_200_percent() {
  reference_encode "$SYSTEM_PW" "x"
  on_screen_at_200_percent 1024x768
  open_main_window
  local props ww wh wx wy aw ah ax ay cw ch bh by
  props=$(drv props "$MAIN" | tr -d '\r')
  IFS='x+' read -r ww wh wx wy <<<"$(sed -n 's/^window=//p' <<<"$props")"
  IFS='x+' read -r aw ah ax ay <<<"$(sed -n 's/^work=//p' <<<"$props")"
  IFS='x' read -r cw ch <<<"$(sed -n 's/^client=//p' <<<"$props")"
  [ "$wy" -ge "$ay" ] || fail "title bar above the work area: window $wx,$wy, work $ax,$ay"
  [ $((wy + wh)) -le $((ay + ah)) ] || fail "bottom off the work area: window ${wh} tall at $wy, work ${ah} tall at $ay"
  [ "$wx" -ge "$ax" ] && [ $((wx + ww)) -le $((ax + aw)) ] || fail "window $ww wide at $wx, work $aw at $ax"
  # 8,730 twips of client area are 582 pixels at 100 %.
  [ "$ch" -gt 640 ] || fail "laid out at 100 % or less: client ${cw}x$ch"
  IFS='x+' read -r _ bh _ by <<<"$(drv rect "$MAIN" "Quitter" | tr -d '\r')"
  [ $((by + bh)) -le $((ay + ah)) ] || fail "Quitter ends at $((by + bh)), the work area at $((ay + ah))"
  shot main_200_small_screen "$MAIN"
  drv close "$MAIN"
  ended "$ferrolis_pid" 5
}
E2E_TESTS+=(test_main_window_fits_a_small_screen_at_200_percent)

EXPORT_TITLE="Exporter la configuration"
EXPORT_DIALOG="Choisir le dossier où exporter la configuration"
SHELL_FOLDERS='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
POLICY_VALUES="NoFavoritesMenu NoRecentDocsMenu NoSetFolders NoSetActiveDesktop NoSetTaskbar
  NoFolderOptions NoFind NoRun NoLogoff NoClose NoNetHood NoViewContextMenu NoDesktop
  NoCommonGroups NoInternetIcon"

# decode_pol <file>: the records of a Registry.pol file, read as the format lays them out
# ("PReg", the version 1, then [key;name;type;size;data], texts in UTF-16LE with their NUL,
# numbers in four bytes): "key|name|REG_... data" a line, a deletion as "key|name|".
decode_pol() {
  python3 - "$1" <<'PY'
import struct, sys
b, i = open(sys.argv[1], "rb").read(), 8
assert b[:8] == b"PReg\1\0\0\0"
def take(n):
    global i
    i += n
    return b[i - n:i]
def text():
    j = i
    while b[j:j + 2] != b"\0\0": j += 2
    return take(j + 2 - i).decode("utf-16-le")[:-1]
def sep(c): assert take(2) == c.encode("utf-16-le")
while i < len(b):
    sep("["); key = text(); sep(";"); name = text(); sep(";"); kind, = struct.unpack("<I", take(4))
    sep(";"); size, = struct.unpack("<I", take(4)); sep(";"); data = take(size); sep("]")
    value = f"REG_DWORD 0x{struct.unpack('<I', data)[0]:x}" if kind == 4 else \
        "REG_SZ " + data.decode("utf-16-le")[:-1]
    print(f"{key}|{name[6:]}|" if name.startswith("**del.") else f"{key}|{name}|{value}")
PY
}

# Restrictions in both scopes and a Shell, exported through the menu and the folder dialog
# (which opens in Documents);
# the .reg file imported into a fresh prefix where every value is on gives every value back
# (those that are off deleted), and the two .pol files decode to the same values.
test_main_window_exports_the_configuration() {
  local fresh="$E2E_WORK/fresh-prefix" out="$WINEPREFIX/drive_c/Documents/Parc" scope root file on name
  rm -rf "$fresh" "$out"
  # The user's Documents, where the folder dialog opens, as a folder of the prefix.
  wine reg add "$SHELL_FOLDERS" /v Personal /t REG_EXPAND_SZ /d 'C:\Documents' /f >/dev/null 2>&1
  wine reg delete "HKLM\\$POLICIES" /f >/dev/null 2>&1 || true
  wine reg delete "HKCU\\$POLICIES" /f >/dev/null 2>&1 || true
  # No automatic logon password: its save would stop at the clear-text box.
  wine reg delete "$WINLOGON" /v DefaultPassword /f >/dev/null 2>&1 || true
  mkdir -p "$out" "$WINEPREFIX/drive_c/Bornes"
  printf 'x' >"$WINEPREFIX/drive_c/Bornes/borne.exe"
  reference_encode "$SYSTEM_PW" "x"
  open_main_window
  click_at "$MAIN" "Désactiver le menu < Paramètres >"
  click_at "$MAIN" "Désactiver le menu <Arrêter>"
  save_with_mouse
  click_at "$MAIN" "Tous les utilisateurs"
  click_at "$MAIN" "$NO_RUN"
  click_at "$MAIN" "Désactiver les Icônes du bureau"
  drv settext "$MAIN" "Exécuter Shell" 'C:\Bornes\borne.exe'
  save_with_mouse
  # A tick left unsaved, and Non to the question: it is not exported.
  click_at "$MAIN" "Désactiver le voisinage réseau"
  xdotool key alt+f e
  expect_box "$EXPORT_TITLE" "icon=1 buttons=6,7,2" "Enregistrer les modifications avant l'export ?"
  drv button "$EXPORT_TITLE" 7
  expect_window "$EXPORT_DIALOG"
  shot export_folder_dialog "$EXPORT_DIALOG"
  # A name typed in the dialog is taken in the folder it shows.
  drv settext "$EXPORT_DIALOG" "#1152" Parc
  drv click "$EXPORT_DIALOG" "#1"
  drv msgbox "$EXPORT_TITLE" 10000 | grep -qF 'exportée dans « C:\Documents\Parc » :' || fail "no final box"
  shot export_done "$EXPORT_TITLE"
  drv button "$EXPORT_TITLE" 1

  mkdir -p "$fresh"
  WINEPREFIX="$fresh" wineboot -i >/dev/null 2>&1
  for root in HKLM HKCU; do
    for name in $POLICY_VALUES; do
      WINEPREFIX="$fresh" wine reg add "$root\\$POLICIES" /v "$name" /t REG_DWORD /d 1 /f >/dev/null 2>&1
    done
  done
  cp "$out/Ferrolis.reg" "$fresh/drive_c/"
  WINEPREFIX="$fresh" wine regedit /s 'C:\Ferrolis.reg' >/dev/null 2>&1
  for scope in "HKLM Machine NoRun,NoDesktop" \
    "HKCU User NoClose,NoSetFolders,NoSetActiveDesktop,NoSetTaskbar,NoFolderOptions"; do
    read -r root file on <<<"$scope"
    local decoded expected
    decoded=$(decode_pol "$out/$file/Registry.pol")
    for name in $POLICY_VALUES; do
      expected=""
      [[ ",$on," == *",$name,"* ]] && expected="REG_DWORD 0x1"
      expect_eq "$root $name imported" "$expected" \
        "$(WINEPREFIX="$fresh" reg_value "$root\\$POLICIES" "$name")"
      expect_eq "$file $name" "$POLICIES|$name|$expected" "$(grep -F "|$name|" <<<"$decoded")"
    done
  done
  expect_eq "Shell imported" 'REG_SZ C:\Bornes\borne.exe' "$(WINEPREFIX="$fresh" reg_value "$WINLOGON" Shell)"
  expect_eq "Machine's Winlogon records" "PowerdownAfterShutdown|REG_SZ 1"$'\n''Shell|REG_SZ C:\Bornes\borne.exe' \
    "$(decode_pol "$out/Machine/Registry.pol" | sed -n 's/^Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon|//p')"
  WINEPREFIX="$fresh" wineserver -k
  wine reg add "$WINLOGON" /v Shell /d explorer.exe /f >/dev/null 2>&1
  wine reg add "$SHELL_FOLDERS" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents' /f >/dev/null 2>&1
}
E2E_TESTS+=(test_main_window_exports_the_configuration)
