# shellcheck shell=bash
# shellcheck disable=SC2154 # started_pid is set by start() in lib.sh
# The driver itself, against the small fixture window: if these fail, the program's tests
# below cannot be trusted.

FIXTURE="Fenêtre d'essai"
FIXTURE_LABEL="Entrez le texte"

start_fixture() {
  start "$E2E_BIN/ferrolis_fixture.exe"
  expect_window "$FIXTURE" 20000
}

# Typing goes key by key through the box's own handlers; Enter reaches the program's key
# handler; the box that it opens is found and answered; focus and content are read back.
test_driver_types_reads_and_answers_boxes() {
  start_fixture
  expect_focus "$FIXTURE" "$FIXTURE_LABEL" "the edit box under the label"
  drv type "$FIXTURE" "$FIXTURE_LABEL" "Été 2€ &x"
  expect_text "$FIXTURE" "$FIXTURE_LABEL" "Été 2€ &x"
  expect_text "$FIXTURE" "#101" "Été 2€ &x"
  drv type "$FIXTURE" "$FIXTURE_LABEL" "!" --enter
  expect_box "Résultat" "icon=1 buttons=1" "Vous avez tapé : Été 2€ &x!"
  drv button "Résultat" 1
  drv gone "Résultat" 3000 || fail "the box stayed after OK"
  expect_text "$FIXTURE" "$FIXTURE_LABEL" ""
  expect_focus "$FIXTURE" "$FIXTURE_LABEL" "the edit box after the box"

  # A caption with or without its "&", and a button found by rank, act on the same button.
  drv settext "$FIXTURE" "$FIXTURE_LABEL" "abc"
  drv click "$FIXTURE" "Valider"
  expect_box "Résultat" "icon=1 buttons=1" "Vous avez tapé : abc"
  drv button "Résultat" 1
  drv click "$FIXTURE" "BUTTON[1]"
  expect_box "Question" "icon=0 buttons=1,2" $'Première ligne\nDeuxième ligne'
  # The box disables its owner: no click gets through to it meanwhile.
  local rc=0
  drv click "$FIXTURE" "&Fermer" >/dev/null || rc=$?
  expect_eq "click on a window disabled by a box" 1 "$rc"
  shot fixture_question
  drv button "Question" 2
  expect_text "$FIXTURE" "STATIC[1]" "Réponse : 2"
}
E2E_TESTS+=(test_driver_types_reads_and_answers_boxes)

test_driver_reports_window_facts_and_missing_things() {
  start_fixture
  expect_eq "client size" "300x130" "$(prop "$FIXTURE" client)"
  expect_eq "minimise box" "1" "$(prop "$FIXTURE" minimizebox)"
  expect_eq "maximise box" "0" "$(prop "$FIXTURE" maximizebox)"
  expect_eq "taskbar button" "1" "$(prop "$FIXTURE" taskbar)"

  local rc=0
  drv wait "Pas de fenêtre" 200 || rc=$?
  expect_eq "wait for a missing window" 1 "$rc"
  rc=0
  drv read "$FIXTURE" "Pas de contrôle" >/dev/null || rc=$?
  expect_eq "read a missing control" 1 "$rc"
  rc=0
  drv msgbox "$FIXTURE" 200 >/dev/null || rc=$?
  expect_eq "a plain window taken for a message box" 1 "$rc"
  rc=0
  drv frobnicate "$FIXTURE" >/dev/null || rc=$?
  expect_eq "unknown command" 2 "$rc"

  drv close "$FIXTURE"
  drv gone "$FIXTURE" 5000 || fail "the window stayed after WM_CLOSE"
  ended "$started_pid"
}
E2E_TESTS+=(test_driver_reports_window_facts_and_missing_things)
