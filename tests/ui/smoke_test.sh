#!/usr/bin/env bash
# Smoke test of the built program against a real X server: types a configuration with the
# keyboard only, computes it with Enter, prints it through the real file dialog, compares the
# report, closes the program with Escape and expects exit status 0.
#
#   smoke_test.sh PROGRAM
#
# Exits 77 (skipped) when Xvfb, xdotool or xprop is missing. There is no window manager, so after
# every modal window closes the X focus falls back to the root window: the main window is
# focused again each time.
set -euo pipefail

program=${1:?usage: smoke_test.sh PROGRAM}
for tool in Xvfb xdotool xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (scripts/install-deps installs it)"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    if [ -n "$program_pid" ]; then kill -9 "$program_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$work/program.log" ]; then
        echo "--- program output" >&2
        cat "$work/program.log" >&2
    fi
    exit 1
}

# shellcheck source=../support/wait_for.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/wait_for.sh"

# Xvfb picks a free display itself and writes its number to descriptor 3. Without -noreset it
# resets when its last client leaves, and a program started during the reset finds no display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY

# The program ignores its command line, Qt's own options included: with "-platform offscreen"
# honoured, no window would ever appear on this display.
env -u QT_QPA_PLATFORM "$program" -platform offscreen --no-such-option >"$work/program.log" 2>&1 &
program_pid=$!

find_window() {
    window=$(xdotool search --onlyvisible --name '^Brimcount$' 2>/dev/null | head -n1) &&
        [ -n "$window" ]
}
window=
wait_for 30 find_window || fail "no window titled Brimcount appeared"

# The main window is a normal application window of its own, so that window managers give it a
# task-bar entry and a place in the window switcher: typed NORMAL, transient for no other window.
x_id() { printf '0x%x' "$1"; }
window_type=$(xprop -id "$window" _NET_WM_WINDOW_TYPE)
[[ $window_type == *"= _NET_WM_WINDOW_TYPE_NORMAL" ]] ||
    fail "the main window is not a normal window: $window_type"
transient_for=$(xprop -id "$window" WM_TRANSIENT_FOR)
[[ $transient_for == *"not found"* ]] ||
    fail "the main window is transient for another window: $transient_for"

focus_main_window() {
    timeout 10 xdotool windowfocus --sync "$window" || fail "could not focus the main window"
    sleep 0.3
}

# Presses keys in the focused window, with a pause for the program to answer.
keys() {
    timeout 10 xdotool key --delay 60 "$@" || fail "xdotool key $*"
    sleep 0.3
}
typed() {
    timeout 10 xdotool type --delay 60 "$1" || fail "xdotool type $1"
    sleep 0.3
}

# Row 1: 1 group of "450 G FC" disks in RAID5, 5 disks per group. The focus starts in the
# model list; Tab selects the whole text of an edit field, so typing replaces it.
focus_main_window
keys Tab
typed 1
keys Tab Down Up # disk type list: one entry down and back to "450 G FC"
keys Tab
typed RAID5 # the list jumps to the entry that begins with what was typed
keys Tab
typed 5
keys Return # no button has the focus: Compute

# Print is last in the Tab order: back to the model list, then one more Shift+Tab.
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
keys space

dialog_open() {
    xdotool search --onlyvisible --name '^Save As$' >/dev/null 2>&1
}
wait_for 15 dialog_open || fail "the report file dialog did not open"
dialog=$(xdotool search --onlyvisible --name '^Save As$' | head -n1)
# The dialogs over the main window still belong to it and block it while open.
[[ $(xprop -id "$dialog" WM_TRANSIENT_FOR) == *"window id # $(x_id "$window")" ]] ||
    fail "the file dialog is not transient for the main window"
timeout 10 xdotool windowfocus --sync "$dialog" || fail "could not focus the file dialog"
sleep 0.5
# The focus starts in the file name field; the dialog adds the .txt itself.
typed "$work/report"
keys Return
wait_for 15 test -s "$work/report.txt" || fail "no report written to $work/report.txt"

expected="$work/expected.txt"
printf '%s\n' \
    'Tessaryn Brimcount 4.3' \
    'DATE' \
    '=================================================' \
    'System Model: Telvar A' \
    'Total Net (GB):  1610.29' \
    'Total Net (TB):     1.57' \
    'Total # Disks: 5' \
    'Min. # of arrays needed: 1' \
    '======= CONFIGURATION ========' \
    '' \
    $'\t\t\t\t     #Disks/\t\t    CAPACITY' \
    '# Groups     Disk Type    RAID Type   Group  Is Vault?  Per Group     Subtotal' \
    '     1        450 G FC        RAID5       5         No    1610.29      1610.29' \
    >"$expected"
sed '2s/.*/DATE/' "$work/report.txt" >"$work/actual.txt"
if ! diff -u "$expected" "$work/actual.txt"; then
    fail "the report differs from the expected text (line 2, the date, aside)"
fi
grep -Eq '^[0-9]{1,2}/[0-9]{1,2}/[0-9]{4}   [0-9]{1,2}:[0-9]{2}:[0-9]{2}$' <(sed -n 2p "$work/report.txt") ||
    fail "line 2 is not a date and time: $(sed -n 2p "$work/report.txt")"

# Escape closes the program at once.
wait_for 10 bash -c '! xdotool search --onlyvisible --name "^Save As$" >/dev/null 2>&1' ||
    fail "the file dialog did not close"
focus_main_window
keys Escape

ended() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_for 20 ended || fail "the program did not end after Escape"
status=0
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"

# ---- Open Report: a fresh window opens that report through the real dialog (Ctrl+O), and
# printing it again gives the same report but for the date line.
kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended with the first program: $(cat "$work/xvfb.log")"
wait_for 10 xdotool getdisplaygeometry >/dev/null 2>&1 ||
    fail "the display takes no connection after the first program: $(cat "$work/xvfb.log")"
env -u QT_QPA_PLATFORM "$program" >"$work/program.log" 2>&1 &
program_pid=$!
window=
wait_for 30 find_window || fail "no fresh window titled Brimcount appeared"
focus_main_window
# answer_file_dialog TITLE PATH: types PATH into the file dialog titled TITLE, and waits for it
# to close.
answer_file_dialog() {
    local found="xdotool search --onlyvisible --name '^$1\$'"
    wait_for 15 bash -c "$found >/dev/null 2>&1" || fail "the $1 dialog did not open"
    timeout 10 xdotool windowfocus --sync "$(eval "$found" | head -n1)" || fail "no focus: $1"
    sleep 0.5
    typed "$2"
    keys Return
    wait_for 10 bash -c "! $found >/dev/null 2>&1" || fail "the $1 dialog did not close"
}
keys ctrl+o
answer_file_dialog Open "$work/report.txt"
# The focus is back in the model list: one Shift+Tab reaches Print.
focus_main_window
keys shift+Tab space
answer_file_dialog "Save As" "$work/reopened"
wait_for 15 test -s "$work/reopened.txt" || fail "no report written after Open Report"
sed '2s/.*/DATE/' "$work/reopened.txt" >"$work/reopened-actual.txt"
if ! diff -u "$expected" "$work/reopened-actual.txt"; then
    fail "the report printed after Open Report differs (line 2, the date, aside)"
fi
focus_main_window
keys Escape
wait_for 20 ended || fail "the reopened program did not end after Escape"
status=0
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the reopened program ended with status $status"
# ---- end of Open Report

echo "PASS: typed, computed, printed and closed; the report matches"
