# shellcheck shell=bash
# shellcheck disable=SC2154 # started_pid is set by start() in lib.sh
# The start-up gate of ferrolis.exe: first use, wrong and right passwords, the ways out,
# the second copy and the floppy copy of the password.

GATE="Mot de Passe"
PASSWORD_BOX="Entrez le mot de passe"
FLOPPY_BUTTON="BUTTON[2]" # the picture button, third in reading order after OK and Annuler
MAIN="Ferrolis"
WRONG_BOX="Mauvais mot de passe"
WRONG_PROMPT="Désolé - Ce n'est pas le bon mot de passe !"
FLOPPY_BOX="Mot de passe sur disquette"
FLOPPY_PROMPT="Insérer une disquette formatée dans le lecteur A avec le fichier mot de passe !"
SYSTEM_PW_WIN='C:\windows\system32\FRLS.PW'
FLOPPY_PW_WIN='A:\FRLS.PW'

need_pwtool() { have_pwtool || skip "no $PWTOOL"; }

# Starts the program with the password file as it is, and waits for the gate.
open_gate() {
  start_ferrolis
  ferrolis_pid=$started_pid
  expect_window "$GATE" 20000
}

# The gate answers a wrong entry with its box, then empties the password box and gives it
# the focus again.
expect_refused() {
  expect_box "$WRONG_BOX" "icon=1 buttons=1" "$WRONG_PROMPT"
  drv button "$WRONG_BOX" 1
  drv gone "$WRONG_BOX" 3000 || fail "the wrong-password box stayed"
  expect_text "$GATE" "$PASSWORD_BOX" ""
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box"
}

# The main window opens over the gate, which stays open and unusable beneath it.
expect_main_window() {
  expect_window "$MAIN" 10000
  drv wait "$GATE" 0 || fail "the gate closed when the main window opened"
  expect_eq "gate usable under the main window" 0 "$(prop "$GATE" enabled)"
  if drv click "$GATE" "&Annuler" >/dev/null; then fail "Annuler clickable under the main window"; fi
}

test_first_start_shows_first_use_box_before_the_gate() {
  rm -f "$SYSTEM_PW"
  start_ferrolis
  expect_box "Première utilisation de Ferrolis" "icon=1 buttons=1" \
    $'Premier lancement de Ferrolis ! \nVous devez définir un mot de passe pour protéger son accès.\nLe mot de passe à défaut est vide.' \
    20000
  if drv wait "$GATE" 0; then fail "the gate is shown before the first-use box is answered"; fi
  shot first_use "Première utilisation de Ferrolis"
  drv button "Première utilisation de Ferrolis" 1
  expect_window "$GATE"
  [ ! -e "$SYSTEM_PW" ] || fail "a password file was created at first use"

  # The stored password is empty: any other entry is refused, the empty one opens.
  drv type "$GATE" "$PASSWORD_BOX" "x"
  drv click "$GATE" "&OK"
  expect_refused
  drv click "$GATE" "OK"
  expect_main_window
}
E2E_TESTS+=(test_first_start_shows_first_use_box_before_the_gate)

test_gate_window_look() {
  reference_encode "$SYSTEM_PW" "x"
  open_gate
  expect_no_box "Première utilisation de Ferrolis" 500
  shot gate "$GATE"
  local props
  props=$(drv props "$GATE")
  echo "$props"
  grep -qx "minimizebox=0" <<<"$props" || fail "the gate has a minimise box"
  grep -qx "maximizebox=0" <<<"$props" || fail "the gate has a maximise box"
  grep -qx "sizable=0" <<<"$props" || fail "the gate can be resized"
  grep -qx "sysmenu=1" <<<"$props" || fail "the gate has no close box"
  grep -qx "taskbar=0" <<<"$props" || fail "the gate has a taskbar button"
  # 3300 x 1545 twips at 96 dots per inch.
  grep -qx "client=220x103" <<<"$props" || fail "the gate's client area is not 220x103"
  local offset dx dy
  offset=$(sed -n 's/^centre_offset=//p' <<<"$props")
  dx=${offset%,*} dy=${offset#*,}
  if [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; then fail "the gate is not centred ($offset)"; fi
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box"
  expect_text "$GATE" "$PASSWORD_BOX" ""
  expect_eq "names for a screen reader" "Entrez le mot de passe" "$(names "$GATE")"

  # The pointer resting on the floppy button brings up its tooltip.
  local x y w h
  IFS='x+' read -r w h x y <<<"$(drv rect "$GATE" "$FLOPPY_BUTTON")"
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  expect_eq "tooltip of the floppy button" "Lire le mot de passe à partir d'une disquette" \
    "$(drv tooltip 5000)"
  if [ "${E2E_UPDATE_DOCS:-}" = 1 ]; then picture_for_readme; fi
}
E2E_TESTS+=(test_gate_window_look)

# docs/gate.png: the gate with a typed password and the floppy button's tooltip.
picture_for_readme() {
  drv type "$GATE" "$PASSWORD_BOX" "secret"
  drv tooltip 5000 >/dev/null
  local x y w h
  IFS='x+' read -r w h x y <<<"$(drv rect "$GATE")"
  mkdir -p "$E2E_ROOT/docs"
  import -window root -crop "$((w + 240))x$((h + 40))+$((x - 10))+$((y - 10))" +repage -strip \
    "$E2E_ROOT/docs/gate.png"
}

test_wrong_passwords_are_refused_and_the_box_emptied() {
  reference_encode "$SYSTEM_PW" "Secret"
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "secret"
  drv click "$GATE" "&OK"
  shot wrong_password "$WRONG_BOX"
  expect_refused
  # Enter in the box acts as OK; a trailing space is not forgiven.
  drv type "$GATE" "$PASSWORD_BOX" "Secret " --enter
  expect_refused
  drv type "$GATE" "$PASSWORD_BOX" " Secret" --enter
  expect_refused
  if drv wait "$MAIN" 0; then fail "a wrong password opened the main window"; fi
  is_running "$ferrolis_pid" || fail "the program ended"
}
E2E_TESTS+=(test_wrong_passwords_are_refused_and_the_box_emptied)

# The real keyboard, through X: the tab order, Escape that does nothing, Enter that
# validates in the box and answers the message box.
test_keyboard_tab_order_escape_and_enter() {
  reference_encode "$SYSTEM_PW" "Secret"
  open_gate
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box"
  xdotool key Tab
  expect_focus "$GATE" "&OK" "OK after one Tab"
  xdotool key Tab
  expect_focus "$GATE" "&Annuler" "Annuler after two Tabs"
  xdotool key Tab
  expect_focus "$GATE" "$FLOPPY_BUTTON" "the floppy button after three Tabs"
  xdotool key Tab
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box after four Tabs"

  xdotool type --delay 30 "Secxet"
  expect_text "$GATE" "$PASSWORD_BOX" "Secxet"
  xdotool key Escape
  expect_no_box "$WRONG_BOX" 500
  drv wait "$GATE" 0 || fail "Escape closed the gate"
  expect_text "$GATE" "$PASSWORD_BOX" "Secxet"

  xdotool key Return
  expect_box "$WRONG_BOX" "icon=1 buttons=1" "$WRONG_PROMPT"
  xdotool key Return
  drv gone "$WRONG_BOX" 3000 || fail "Enter did not close the wrong-password box"
  expect_text "$GATE" "$PASSWORD_BOX" ""
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box after the wrong-password box"

  xdotool type --delay 30 "Secret"
  xdotool key Return
  expect_main_window
}
E2E_TESTS+=(test_keyboard_tab_order_escape_and_enter)

# A system copy with the hidden attribute is not looked at: first use, empty password.
test_hidden_password_file_counts_as_absent() {
  reference_encode "$SYSTEM_PW" "Secret"
  wine attrib +h "$SYSTEM_PW_WIN"
  start_ferrolis
  expect_box "Première utilisation de Ferrolis" "icon=1 buttons=1" \
    $'Premier lancement de Ferrolis ! \nVous devez définir un mot de passe pour protéger son accès.\nLe mot de passe à défaut est vide.' \
    20000
  drv button "Première utilisation de Ferrolis" 1
  expect_window "$GATE"
  drv click "$GATE" "&OK"
  expect_main_window
}
E2E_TESTS+=(test_hidden_password_file_counts_as_absent)

# The program's own encoder writes the file, the program reads it back.
test_right_password_opens_main_window() {
  need_pwtool
  pwtool_write "$SYSTEM_PW_WIN" "Mot dé passe!"
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "Mot dé passe!" --enter
  expect_main_window
  shot main_window "$MAIN"
  expect_no_box "$WRONG_BOX" 200
}
E2E_TESTS+=(test_right_password_opens_main_window)

# Files written by earlier releases, in the documented format, stay readable.
test_password_file_in_the_documented_format_opens_main_window() {
  reference_encode "$SYSTEM_PW" "Clé ancienne 1999"
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "Clé ancienne 1999"
  drv click "$GATE" "&OK"
  expect_main_window
}
E2E_TESTS+=(test_password_file_in_the_documented_format_opens_main_window)

test_program_encoder_writes_the_documented_format() {
  need_pwtool
  local password
  for password in "Secret" "é à ç ÿ" "  aa  " "~"; do
    pwtool_write 'C:\windows\temp\tool.pw' "$password"
    reference_encode "$E2E_WORK/reference.pw" "$password"
    cmp "$WINEPREFIX/drive_c/windows/temp/tool.pw" "$E2E_WORK/reference.pw" ||
      fail "the file for [$password] differs from the documented format"
  done
  pwtool_write 'C:\windows\temp\tool.pw' ""
  expect_eq "size of the file for the empty password" 0 \
    "$(stat -c %s "$WINEPREFIX/drive_c/windows/temp/tool.pw")"
}
E2E_TESTS+=(test_program_encoder_writes_the_documented_format)

test_empty_password_file_opens_with_empty_entry() {
  : >"$SYSTEM_PW"
  open_gate
  expect_no_box "Première utilisation de Ferrolis" 500
  drv click "$GATE" "&OK"
  expect_main_window
}
E2E_TESTS+=(test_empty_password_file_opens_with_empty_entry)

test_annuler_and_close_box_end_the_program() {
  reference_encode "$SYSTEM_PW" "Secret"
  local before
  before=$(md5sum <"$SYSTEM_PW")
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "abc"
  drv click "$GATE" "&Annuler"
  ended "$ferrolis_pid" 5
  drv gone "$GATE" 2000 || fail "the gate stayed after Annuler"
  expect_eq "password file after Annuler" "$before" "$(md5sum <"$SYSTEM_PW")"

  open_gate
  drv close "$GATE"
  ended "$ferrolis_pid" 5

  # The access key of "&Annuler", from the real keyboard.
  open_gate
  expect_focus "$GATE" "$PASSWORD_BOX" "the password box"
  xdotool key alt+a
  ended "$ferrolis_pid" 5
}
E2E_TESTS+=(test_annuler_and_close_box_end_the_program)

# While the load's box is up, the gate exists hidden, its password not yet known. Another
# program gives its box a text, then posts Enter and, queued behind it, the box's OK: the text
# is put back and nothing opens, so the answer reaches the box and ends the program.
press_on_the_hidden_gate() { # <box title>
  drv --hidden settext "$GATE" "$PASSWORD_BOX" "x" || fail "no hidden gate" || return 1
  expect_eq "hidden password box" "" "$(drv --hidden read "$GATE" "$PASSWORD_BOX")"
  drv --hidden post "$GATE" "$PASSWORD_BOX" 0x0102 13 # WM_CHAR, Enter
  drv post "$1" "#1" 0x00F5 0                            # BM_CLICK, OK
}

test_second_copy_is_refused_and_first_keeps_running() {
  reference_encode "$SYSTEM_PW" "Secret"
  open_gate
  local first=$ferrolis_pid
  start_ferrolis
  local second=$started_pid
  expect_box "Gardelis" "icon=1 buttons=1" "Ferrolis est déjà en cours d'utilisation !" 20000
  shot second_copy "Gardelis"
  press_on_the_hidden_gate "Gardelis"
  ended "$second" 5
  is_running "$first" || fail "the first copy ended"
  # The first copy still answers.
  drv type "$GATE" "$PASSWORD_BOX" "Secret" --enter
  expect_main_window
}
E2E_TESTS+=(test_second_copy_is_refused_and_first_keeps_running)

# Clicks the floppy button and accepts the insert-disk prompt.
read_floppy() {
  drv click "$GATE" "$FLOPPY_BUTTON"
  expect_box "$FLOPPY_BOX" "icon=0 buttons=1,2" "$FLOPPY_PROMPT"
  drv button "$FLOPPY_BOX" 1
}

test_floppy_copy_wrong_one_refused_right_one_opens() {
  need_pwtool
  map_floppy
  pwtool_write "$SYSTEM_PW_WIN" "Disque"
  pwtool_write "$FLOPPY_PW_WIN" "Autre"
  [ -s "$FLOPPY_DIR/FRLS.PW" ] || fail "the tool wrote nothing on drive A"
  open_gate
  drv click "$GATE" "$FLOPPY_BUTTON"
  shot floppy_prompt "$FLOPPY_BOX"
  drv button "$FLOPPY_BOX" 1
  expect_refused

  # The floppy copy is only compared, never stored: the system copy stays as it was.
  local before
  before=$(md5sum <"$SYSTEM_PW")
  pwtool_write "$FLOPPY_PW_WIN" "Disque"
  read_floppy
  expect_main_window
  expect_eq "system copy after the floppy read" "$before" "$(md5sum <"$SYSTEM_PW")"
}
E2E_TESTS+=(test_floppy_copy_wrong_one_refused_right_one_opens)

test_floppy_cancel_missing_file_and_missing_drive() {
  reference_encode "$SYSTEM_PW" "Secret"
  map_floppy
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "abc"

  # Cancel: nothing else happens and the box keeps what was typed.
  drv click "$GATE" "$FLOPPY_BUTTON"
  expect_box "$FLOPPY_BOX" "icon=0 buttons=1,2" "$FLOPPY_PROMPT"
  drv button "$FLOPPY_BOX" 2
  expect_no_box "Mot de passe non trouvé" 500
  expect_no_box "$WRONG_BOX" 200
  expect_text "$GATE" "$PASSWORD_BOX" "abc"

  # A disk without the file.
  read_floppy
  expect_box "Mot de passe non trouvé" "icon=1 buttons=1" "Fichier mot de passe non trouvé !"
  shot floppy_not_found "Mot de passe non trouvé"
  drv button "Mot de passe non trouvé" 1
  expect_text "$GATE" "$PASSWORD_BOX" "abc"

  # No drive A at all.
  unmap_floppy
  read_floppy
  expect_box "Erreur" "icon=1 buttons=1" \
    "Disquette non formatée - Erreur sur la disquette ou Fichier mot de passe non trouvé !"
  shot floppy_error "Erreur"
  drv button "Erreur" 1
  expect_text "$GATE" "$PASSWORD_BOX" "abc"
  is_running "$ferrolis_pid" || fail "the program ended"
}
E2E_TESTS+=(test_floppy_cancel_missing_file_and_missing_drive)

# A record whose code is out of range: the program says so and ends rather than opening.
test_damaged_password_file_ends_with_a_message() {
  printf '%-50s' " 999999" >"$SYSTEM_PW"
  start_ferrolis
  ferrolis_pid=$started_pid
  expect_box "Erreur" "icon=1 buttons=1" \
    $'Le fichier mot de passe de Ferrolis est endommagé ou illisible !\nFerrolis ne peut pas vérifier le mot de passe et va se fermer.' \
    20000
  shot damaged_file "Erreur"
  press_on_the_hidden_gate "Erreur"
  ended "$ferrolis_pid" 5
  if drv wait "$MAIN" 0; then fail "a damaged file opened the main window"; fi
}
E2E_TESTS+=(test_damaged_password_file_ends_with_a_message)
