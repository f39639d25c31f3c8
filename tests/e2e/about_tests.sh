# shellcheck shell=bash
# shellcheck disable=SC2154 # names from lib.sh and gate_tests.sh
# The "A Propos" menu of the main window, with the mouse and with the keyboard: the shell's
# About box, the About window, its details box, Enter and Escape, and the system information
# tool named in the registry; all of it with DLLs planted beside the program.

ABOUT="A propos Ferrolis"
SHELL_ABOUT="About Ferrolis" # Wine's own box, in Wine's language
MSINFO_KEY='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
TOOL_WIN='C:\Program Files\Outils\essai.exe'
TOOL_TITLE="Fenêtre d'essai" # ferrolis_fixture.exe stands in for the tool
# The project version of the build under test, which every About text shows.
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$E2E_BIN/CMakeCache.txt")

# click_at <title> <control>: a real mouse click in the middle of a control.
click_at() {
  local x y w h
  IFS='x+' read -r w h x y <<<"$(drv rect "$1" "$2")"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

# menu_click <item y>: "A Propos", second in the main window's menu bar after "Fichier", then
# the item whose middle lies that many pixels below the client area's top (Wine's menus at 96
# dots per inch: Information système 12, Auteur 38, Quitter 64).
menu_click() {
  local props ww wh wx wy cw ch top
  props=$(drv props "$MAIN")
  IFS='x+' read -r ww wh wx wy <<<"$(sed -n 's/^window=//p' <<<"$props")"
  IFS='x' read -r cw ch <<<"$(sed -n 's/^client=//p' <<<"$props")"
  top=$((wy + wh - (ww - cw) / 2 - ch)) # the bottom border is as wide as the side ones
  xdotool mousemove $((wx + 78)) $((top - 9)) click 1
  sleep 0.5
  xdotool mousemove $((wx + 100)) $((top + $1)) click 1
}

expect_about_window() {
  expect_window "$ABOUT"
  drv list "$ABOUT" | grep -qF "\"Version $VERSION\"" || fail "no version line in the About window"
  expect_eq "main window usable under the About window" 0 "$(prop "$MAIN" enabled)"
  expect_eq "About window: buttons without a name" "" "$(names "$ABOUT")"
}

test_about_menu_with_mouse_and_keyboard() {
  reference_encode "$SYSTEM_PW" "x"
  # The program runs from a folder that also holds DLLs named after system libraries, each
  # preferred to Wine's own; none of them may be loaded, at the start or by any window.
  local planted="$E2E_WORK/planted" dll
  rm -rf "$planted" && mkdir -p "$planted" && cp "$FERROLIS" "$planted/"
  for dll in uxtheme comctl32 version dwmapi; do cp "$E2E_BIN/ferrolis_planted.dll" "$planted/$dll.dll"; done
  FERROLIS="$planted/ferrolis.exe"
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;uxtheme,comctl32,version,dwmapi=n,b"
  wine reg delete "$MSINFO_KEY" /v PATH /f >/dev/null 2>&1 || true
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "x" --enter
  expect_main_window

  # Keyboard: F10 and Right reach "A Propos", Down opens it, Enter takes "Information système".
  xdotool key F10 Right Down Return
  expect_window "$SHELL_ABOUT"
  drv list "$SHELL_ABOUT" | grep -qF "version $VERSION" || fail "no version in the shell's About box"
  shot shell_about "$SHELL_ABOUT"
  xdotool key Return
  drv gone "$SHELL_ABOUT" 3000 || fail "the shell's About box stayed"

  # Mouse: "Auteur". Enter, with the focus where the window puts it, closes it.
  menu_click 38
  expect_about_window
  shot about "$ABOUT"
  if [ "${E2E_UPDATE_DOCS:-}" = 1 ]; then cp "$E2E_SHOTS/about.png" "$E2E_ROOT/docs/"; fi
  xdotool key Return
  drv gone "$ABOUT" 3000 || fail "Enter left the About window open"
  expect_eq "main window usable again" 1 "$(prop "$MAIN" enabled)"

  # Keyboard again (Alt this time). "Détails..." shows the details box; then no tool in the
  # registry, then the test's own program.
  xdotool key alt Right Down Down Return
  expect_about_window
  click_at "$ABOUT" "Détails..."
  expect_box "A propos" "icon=1 buttons=1" \
    "Ferrolis v$VERSION"$' - Protection sous Windows 2000 Pro - XP et NT\n\nFerrolis est conçu et maintenu par l\'équipe Ferrolis.\nE-Mail : auteur@ferrolis.example.org\nURL : http://ferrolis.example.org'
  xdotool key Return
  drv gone "A propos" 3000 || fail "the details box stayed"
  click_at "$ABOUT" "&Système Info..."
  expect_box "Ferrolis" "icon=0 buttons=1" "Information Systeme introuvable !"
  drv button "Ferrolis" 1
  mkdir -p "$WINEPREFIX/drive_c/Program Files/Outils"
  cp "$E2E_BIN/ferrolis_fixture.exe" "$WINEPREFIX/drive_c/Program Files/Outils/essai.exe"
  wine reg add "$MSINFO_KEY" /v PATH /d "$TOOL_WIN" /f >/dev/null 2>&1
  click_at "$ABOUT" "&Système Info..."
  expect_window "$TOOL_TITLE"
  expect_no_box "Ferrolis" 500
  drv close "$TOOL_TITLE"
  drv gone "$TOOL_TITLE" 3000 || fail "the stand-in tool did not close"

  # Escape closes the window wherever the focus is.
  click_at "$ABOUT" "Détails..."
  drv button "A propos" 1
  expect_focus "$ABOUT" "Détails..." "the details button"
  xdotool key Escape
  drv gone "$ABOUT" 3000 || fail "Escape left the About window open"
  drv close "$MAIN"
  ended "$ferrolis_pid" 5
  expect_eq "planted DLLs loaded" "" "$(cd "$planted" && ls -- *.loaded 2>/dev/null)"
}
E2E_TESTS+=(test_about_menu_with_mouse_and_keyboard)
