# shellcheck shell=bash
# shellcheck disable=SC2154 # started_pid is set by start() in lib.sh
# The form toolkit on its fixture form (tests/e2e/fixture/toolkit), driven with the real
# keyboard and mouse: what only the native window can show. Every handler writes its name
# in the form's journal; the headless test ToolkitFixture.TheJournalTheRealWindowMustShow
# expects the same journal for the same list actions.

TOOLKIT="Formulaire d'essai"
TOOLKIT_EXE="$E2E_BIN/ferrolis_toolkit_fixture.exe"

# The journal label, fourth in reading order ("Nom :", the link, "Journal :", the journal).
JOURNAL="STATIC[3]"
expect_journal() { expect_text "$TOOLKIT" "$JOURNAL" "$1"; }

# toolkit_click <x> <y> [keys held]: a real mouse click at a point of the screen.
toolkit_click() {
  if [ -n "${3:-}" ]; then
    xdotool mousemove "$1" "$2" keydown "$3" click 1 keyup "$3"
  else
    xdotool mousemove "$1" "$2" click 1
  fi
}

# toolkit_centre <geometry WxH+X+Y>: prints "x y" of its middle.
toolkit_centre() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$(tr -d '\r' <<<"$1")"
  echo "$((x + w / 2)) $((y + h / 2))"
}

test_toolkit_form_keyboard_menus_and_list() {
  [ -f "$TOOLKIT_EXE" ] || skip "ferrolis_toolkit_fixture.exe not built"
  start "$TOOLKIT_EXE"
  expect_window "$TOOLKIT" 20000
  expect_focus "$TOOLKIT" "Nom :" "the name box"

  # Tab reaches each option group once, at its chosen button (or its first), and never
  # chooses; the disabled frame's check box is skipped.
  local expected
  for expected in "Utilisateur courant" "Petite" "LISTBOX[0]" "Remplir" "OK" "Annuler" "Nom :"; do
    xdotool key Tab
    expect_focus "$TOOLKIT" "$expected" "$expected after Tab"
  done
  xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
  expect_focus "$TOOLKIT" "Petite" "the second group after Shift+Tab"
  expect_journal ""

  # Arrows move the focus and the choice inside the group, one Click each.
  xdotool key Down
  expect_focus "$TOOLKIT" "Grande" "the next button of the group"
  expect_journal "optGrand;"
  xdotool key shift+Tab Up
  expect_focus "$TOOLKIT" "Tous les utilisateurs" "the first group, moved backwards"
  expect_journal "optGrand;optTous;"

  # Enter and Escape press the default and cancel buttons from wherever the focus is.
  xdotool key Return
  expect_journal "optGrand;optTous;cmdOK;"
  xdotool key Escape
  expect_journal "optGrand;optTous;cmdOK;cmdAnnuler;"

  # The menu from the keyboard, then with the mouse on the bar and on the first item.
  xdotool key alt+f o
  expect_journal "optGrand;optTous;cmdOK;cmdAnnuler;Mnu_Ouvrir;"
  local at x y
  at=$(prop "$TOOLKIT" client_at)
  x=${at%,*} y=${at#*,}
  toolkit_click $((x + 20)) $((y - 8))
  local menu
  menu=$(drv popup 3000) || fail "no menu opened by the click on the bar"
  read -r x y <<<"$(toolkit_centre "$menu")"
  IFS='x+' read -r _ _ _ y <<<"$(tr -d '\r' <<<"$menu")"
  toolkit_click "$x" $((y + 12))
  expect_journal "optGrand;optTous;cmdOK;cmdAnnuler;Mnu_Ouvrir;Mnu_Ouvrir;"
  shot toolkit_form "$TOOLKIT"

  # 2,000 lines filled by a handler; a click and a Shift-click raise one Click each.
  read -r x y <<<"$(toolkit_centre "$(drv rect "$TOOLKIT" "Remplir")")"
  toolkit_click "$x" "$y"
  expect_eq "lines filled" 2000 "$(drv lines "$TOOLKIT" "LISTBOX[0]" | wc -l)"
  local before
  before="$(drv read "$TOOLKIT" "$JOURNAL" | tr -d '\r')"
  read -r x y <<<"$(toolkit_centre "$(drv linerect "$TOOLKIT" "LISTBOX[0]" 5)")"
  toolkit_click "$x" "$y"
  read -r x y <<<"$(toolkit_centre "$(drv linerect "$TOOLKIT" "LISTBOX[0]" 8)")"
  toolkit_click "$x" "$y" shift
  expect_journal "${before}lstLignes[5];lstLignes[5-8];"
  shot toolkit_list "$TOOLKIT"

  # Quitter ends the program.
  xdotool key alt+f q
  ended "$started_pid" 10
}
E2E_TESTS+=(test_toolkit_form_keyboard_menus_and_list)
