# shellcheck shell=bash
# shellcheck disable=SC2154 # started_pid is set by start() in lib.sh; the names below by gate_tests.sh
# The password frame of the main window: the old password validated, a new one stored in the
# system copy and on the floppy, and both taken by the next start. The journey starts where an
# earlier 32-bit release left the machine: its copy in SysWOW64 only; the change writes the
# native copy and keeps the SysWOW64 one in step.

OLD_BOX="Ancien mot de passe :"
NEW_BOX="Nouveau mot de passe :"
SAVE_FLOPPY_BOX="Sauvegarde du mot de passe sur disquette"

# The picture buttons, by their names (their tooltips).
READ_FLOPPY_BUTTON="Lire le mot de passe à partir d'une disquette A"
SAVE_FLOPPY_BUTTON="Enregistrer le mot de passe sur disquette"

# Whether the frame's new-password controls are on screen.
expect_new_password_controls() { # <shown: 1|0>
  local line caption
  for caption in "\"$NEW_BOX\"" "\"Valider && Enregistrer\"" "\"$SAVE_FLOPPY_BUTTON\""; do
    line=$(drv list "$MAIN" | grep -F -- "$caption" | head -n 1)
    [ -n "$line" ] || fail "no control $caption in the main window"
    if [ "$1" = 1 ] && [[ "$line" == *hidden* ]]; then fail "$caption is hidden"; fi
    if [ "$1" = 0 ] && [[ "$line" != *hidden* ]]; then fail "$caption is shown"; fi
  done
}

test_password_changed_in_the_frame_holds_at_the_next_start() {
  map_floppy
  rm -f "$SYSTEM_PW"
  reference_encode "$SYSWOW64_PW" "Ancien"
  open_gate
  expect_no_box "Première utilisation de Ferrolis" 200
  drv type "$GATE" "$PASSWORD_BOX" "Ancien" --enter
  expect_main_window
  expect_new_password_controls 0

  drv type "$MAIN" "$OLD_BOX" "Ancien"
  drv click "$MAIN" "Valider"
  expect_new_password_controls 1
  expect_focus "$MAIN" "$NEW_BOX" "the new password box"

  # "Valider && Enregistrer" writes the system copy in the documented format, silently.
  drv type "$MAIN" "$NEW_BOX" "Clé neuve à 5 €"
  drv click "$MAIN" "Valider && Enregistrer"
  expect_no_box "Mot de passe non modifié" 500
  reference_encode "$E2E_WORK/expected.pw" "Clé neuve à 5 €"
  cmp "$SYSTEM_PW" "$E2E_WORK/expected.pw" || fail "the system copy is not the documented format"
  cmp "$SYSWOW64_PW" "$E2E_WORK/expected.pw" || fail "the SysWOW64 copy was not kept in step"

  # The floppy save makes its text the password too, in both copies.
  drv settext "$MAIN" "$NEW_BOX" "Sauvée à 100 %"
  drv click "$MAIN" "$SAVE_FLOPPY_BUTTON"
  expect_box "$SAVE_FLOPPY_BOX" "icon=0 buttons=1,2" "Insérer une disquette formatée dans le lecteur A !"
  shot floppy_save_prompt "$SAVE_FLOPPY_BOX"
  drv button "$SAVE_FLOPPY_BOX" 1
  expect_no_box "Erreur" 500
  reference_encode "$E2E_WORK/expected.pw" "Sauvée à 100 %"
  cmp "$SYSTEM_PW" "$E2E_WORK/expected.pw" || fail "the system copy is not the new password"
  cmp "$SYSWOW64_PW" "$E2E_WORK/expected.pw" || fail "the SysWOW64 copy is not the new password"
  cmp "$FLOPPY_DIR/FRLS.PW" "$E2E_WORK/expected.pw" || fail "the floppy copy is not the new password"
  [ "$(find "$FLOPPY_DIR" -type f | wc -l)" = 1 ] || fail "files left on the floppy: $(ls "$FLOPPY_DIR")"

  # The frame's floppy button reads it back and validates it.
  drv settext "$MAIN" "$OLD_BOX" ""
  drv click "$MAIN" "$READ_FLOPPY_BUTTON"
  expect_box "$FLOPPY_BOX" "icon=0 buttons=1,2" "$FLOPPY_PROMPT"
  drv button "$FLOPPY_BOX" 1
  expect_no_box "$WRONG_BOX" 500
  expect_text "$MAIN" "$OLD_BOX" "Sauvée à 100 %"
  shot password_frame "$MAIN"

  # Closing asks nothing: the frame's edits are no unsaved configuration.
  drv close "$MAIN"
  ended "$ferrolis_pid" 5

  # Next start: the old password is refused, the new one opens.
  open_gate
  drv type "$GATE" "$PASSWORD_BOX" "Ancien" --enter
  expect_refused
  drv type "$GATE" "$PASSWORD_BOX" "Sauvée à 100 %" --enter
  expect_main_window
  drv close "$MAIN"
  ended "$ferrolis_pid" 5

  # And the gate's floppy button opens with the floppy copy.
  open_gate
  read_floppy
  expect_main_window
}
E2E_TESTS+=(test_password_changed_in_the_frame_holds_at_the_next_start)
