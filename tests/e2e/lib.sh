# shellcheck shell=bash
# shellcheck disable=SC2034 # the tests use these names
# Shared by the end-to-end tests: the X display, the Wine prefix, starting and stopping
# the programs under test, the driver, checks, screenshots and password files.
# Sourced by tests/e2e/run.sh.

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_BIN="$E2E_ROOT/build/win64"
# E2E_I686=1: the i686 build's journey (i686_tests.sh), with a prefix, work folder and
# screenshots of its own, so that it can run beside the other tests.
E2E_SUFFIX="${E2E_I686:+-i686}"
E2E_WORK="$E2E_ROOT/build/e2e$E2E_SUFFIX"
E2E_SHOTS="$E2E_ROOT/build/screenshots$E2E_SUFFIX"
DRIVER="$E2E_BIN/ferrolis_driver.exe"
FERROLIS="$E2E_BIN/ferrolis.exe"
PWTOOL="$E2E_BIN/ferrolis_pwtool.exe"
export WINEPREFIX="${E2E_PREFIX:-$E2E_ROOT/build/wine-e2e$E2E_SUFFIX}"
# The size of the virtual screen and of Wine's desktop in it.
E2E_SCREEN="${E2E_SCREEN:-1024x768}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="-all"
SYSTEM_DIR="$WINEPREFIX/drive_c/windows/system32"
SYSTEM_PW="$SYSTEM_DIR/FRLS.PW"
# The copy that earlier 32-bit releases kept on 64-bit Windows.
SYSWOW64_PW="$WINEPREFIX/drive_c/windows/syswow64/FRLS.PW"
FLOPPY_DIR="$E2E_WORK/floppy"
# Programs started by the tests, one PID a line, ended after each test.
PIDS_FILE="$E2E_WORK/pids"
# What the programs of the current test wrote, one file per program started.
E2E_OUTPUT="$E2E_WORK/output"
started_count=0
# Everything a failed test leaves behind: its log, the programs' output and the
# screen, in one folder per test.
E2E_FAILURES="$E2E_ROOT/build/e2e-failures$E2E_SUFFIX"

# --- environment -------------------------------------------------------------------------

xvfb_pid=""

# Xvfb on the first free display from :97 on.
start_display() {
  local n=97
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${E2E_SCREEN}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# A fresh prefix whose windows all live in one virtual desktop, so that Wine draws the
# title bars itself and a screenshot of the screen shows them.
make_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Wine's own TrueType fonts (Tahoma, and Marlett for the title-bar buttons) are not
  # always found in its data folder; a copy in the prefix always is.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$E2E_SCREEN" /f >/dev/null 2>&1
  wineserver -w
  # Keep the server up between the many short driver runs.
  wineserver -p
}

cleanup_environment() {
  end_programs
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -f "$WINEPREFIX/dosdevices/a:"
}

# --- programs ----------------------------------------------------------------------------

# start <exe> [args]: starts a Windows program in the background; sets $started_pid.
# E2E_LOADER names another Wine loader than the system's.
start() {
  mkdir -p "$E2E_OUTPUT"
  started_count=$((started_count + 1))
  "${E2E_LOADER:-wine}" "$@" >"$E2E_OUTPUT/$(basename "$1" .exe).$started_count.log" 2>&1 &
  started_pid=$!
  echo "$started_pid" >>"$PIDS_FILE"
}

start_ferrolis() { start "$FERROLIS"; }

is_running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

# ended <pid> [seconds]: the process ends within the delay.
ended() {
  local pid=$1
  for _ in $(seq $((${2:-5} * 10))); do
    is_running "$pid" || return 0
    sleep 0.1
  done
  echo "process $pid still running" >&2
  return 1
}

# Ends every program the tests started, and waits until their windows are gone.
end_programs() {
  [ -f "$PIDS_FILE" ] || return 0
  local pid
  while read -r pid; do
    if is_running "$pid"; then
      kill "$pid" 2>/dev/null || true
      ended "$pid" 5 2>/dev/null || kill -9 "$pid" 2>/dev/null || true
    fi
  done <"$PIDS_FILE"
  rm -f "$PIDS_FILE"
}

# --- driver and checks -------------------------------------------------------------------

drv() { wine "$DRIVER" "$@"; }

fail() {
  echo "$*" >&2
  return 1
}

expect_eq() { # <what> <expected> <actual>
  [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

# expect_text <title> <control> <expected>: the control shows that text within two seconds.
expect_text() {
  local got
  for _ in $(seq 10); do
    got=$(drv read "$1" "$2") || fail "no control '$2' in '$1'" || return 1
    [ "$got" == "$3" ] && return 0
    sleep 0.2
  done
  fail "text of '$2' in '$1': expected [$3], got [$got]"
}

# expect_focus <title> <control> <what>: that control has the focus, in the foreground window,
# within five seconds.
expect_focus() {
  for _ in $(seq 25); do
    drv focused "$1" "$2" >/dev/null && return 0
    sleep 0.2
  done
  fail "$3 lacks the focus (it is on: $(drv focused "$1"))"
}

# expect_box <title> <facts> <prompt> [ms]: a message box with that title shows up, with
# the facts the driver reports ("icon=1 buttons=1") and that prompt (lines joined by \n).
expect_box() {
  local out
  out=$(drv msgbox "$1" "${4:-10000}") || fail "no message box '$1'" || return 1
  expect_eq "message box '$1' icon and buttons" "$2" "$(head -n 1 <<<"$out")" &&
    expect_eq "message box '$1' prompt" "$3" "$(tail -n +2 <<<"$out")"
}

expect_no_box() { # <title> [ms]
  if drv msgbox "$1" "${2:-1000}" >/dev/null; then fail "unexpected message box '$1'"; fi
}

expect_window() { # <title> [ms]
  drv wait "$1" "${2:-10000}" || fail "no window '$1'"
}

# prop <title> <name>: one of the facts printed by the driver's props command.
prop() { drv props "$1" | sed -n "s/^$2=//p"; }

# reg_value <key> <value name> [registry view: 32 or 64]: "TYPE DATA" as Wine's reg query
# prints it (a REG_DWORD as 0x1), nothing when the value is missing. reg writes the OEM code
# page when its output is not a console.
reg_value() {
  wine reg query "$1" /v "$2" "/reg:${3:-64}" 2>/dev/null | iconv -f CP437 -t UTF-8 | tr -d '\r' |
    awk -v name="$2" 'index($0, "    " name "    ") == 1 {
      sub("^    " name "    ", ""); type = $0; sub("    .*", "", type)
      data = substr($0, length(type) + 5); print type " " data }'
}

# expect_reg <key> <value name> <"TYPE DATA", or nothing for a missing value> [view]
expect_reg() { expect_eq "$1\\$2" "$3" "$(reg_value "$1" "$2" "${4:-64}")"; }

# names <title>: the name a screen reader gives each edit box and list box of the window, in
# window order: the text of the STATIC just before it, "-" when there is none; then a line
# for each button without any text, which has no name at all.
names() {
  drv list "$1" | tr -d '\r' | awk '
    { class = tolower($1); text = ""; q = index($0, "\"") }
    q { text = substr($0, q + 1); sub(/" at [0-9]+x[0-9]+\+.*$/, "", text) }
    class == "edit" || class == "listbox" { print (before == "static" && label != "" ? label : "-") }
    class == "button" && text == "" { print "no text: " $0 }
    { before = class; label = text }'
}

# click_line <title> <list box> <text>: a real mouse click on the unselected line showing
# that text; returns once the list shows it selected. The X server delivers the click later
# than xdotool returns, so the next step must not act before the list took it. Two clicks
# at one spot within the double-click time make a double click, which a list box does not
# take as a selection: a click on the spot of the previous one (the line that took the
# place of a deleted one) lands a quarter of the line further.
E2E_LAST_LINE_CLICK=""
click_line() {
  local n x y w h at
  n=$(drv lines "$1" "$2" | tr -d '\r' | grep -nxF -- "  $3" | head -n 1 | cut -d: -f1)
  [ -n "$n" ] || fail "no line '$3' in $2 of '$1'" || return 1
  IFS='x+' read -r w h x y <<<"$(drv linerect "$1" "$2" $((n - 1)) | tr -d '\r')"
  at="$((x + w / 2)) $((y + h / 2))"
  [ "$at" != "$E2E_LAST_LINE_CLICK" ] || at="$((x + w / 4)) $((y + h / 2))"
  E2E_LAST_LINE_CLICK=$at
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
  for _ in $(seq 50); do
    drv lines "$1" "$2" | tr -d '\r' | grep -qxF -- "* $3" && return 0
    sleep 0.1
  done
  fail "the click on '$3' in $2 of '$1' did not select it"
}

# --- screenshots -------------------------------------------------------------------------

# shot <name> [title]: the screen, or only the window with that title, as a PNG.
shot() {
  mkdir -p "$E2E_SHOTS"
  local geometry=""
  [ -n "${2:-}" ] && geometry=$(drv rect "$2")
  if [ -n "$geometry" ]; then
    import -window root -crop "$geometry" +repage -strip "$E2E_SHOTS/$1.png"
  else
    import -window root -strip "$E2E_SHOTS/$1.png"
  fi
}

# --- password files ----------------------------------------------------------------------

have_pwtool() { [ -f "$PWTOOL" ]; }

# pwtool_write <windows path> <password>: the program's own encoder writes the file.
pwtool_write() { wine "$PWTOOL" write "$1" "$2" >/dev/null; }

# reference_encode <file> <password>: the documented format, written independently of the
# program: one 50-byte record per character of the password (code page 1252), record i
# holding ((c * 1.7) / 2.3407 * 1.204683) * i with up to 15 significant digits, a leading
# space, no "0" before the point, padded with spaces.
reference_encode() {
  python3 - "$1" "$2" <<'EOF'
import sys
path, password = sys.argv[1], sys.argv[2]
out = b""
for i, c in enumerate(password.encode("cp1252"), start=1):
    text = "%.15g" % ((c * 1.7) / 2.3407 * 1.204683 * i)
    if text.startswith("0."):
        text = text[1:]
    out += (" " + text).ljust(50).encode("ascii")
open(path, "wb").write(out)
EOF
}

# Drive A: a folder of the build tree, or no drive at all.
map_floppy() {
  rm -rf "$FLOPPY_DIR"
  mkdir -p "$FLOPPY_DIR"
  ln -sfn "$FLOPPY_DIR" "$WINEPREFIX/dosdevices/a:"
}

unmap_floppy() { rm -f "$WINEPREFIX/dosdevices/a:"; }

# skip <reason>: ends the current test as skipped.
skip() {
  echo "$*"
  exit 77
}
