#!/usr/bin/env bash
# Runs a test binary as a native Wayland client: starts a headless weston on a socket of its own
# in a private runtime folder, records the compositor's protocol log (weston-debug's "proto"
# stream), runs the binary with QT_QPA_PLATFORM=wayland and ends the compositor.
#
#   weston_session.sh TEST_BINARY QT_PLUGIN_DIR [test arguments...]
#
# The binary finds the protocol log through BRIMCOUNT_WAYLAND_PROTOCOL_LOG. Exits 77 (skipped)
# only when weston or Qt's Wayland platform plugin is not installed; scripts/install-deps
# installs both (Debian's weston and qt6-wayland).
set -euo pipefail

binary=${1:?usage: weston_session.sh TEST_BINARY QT_PLUGIN_DIR [arguments...]}
plugins=${2:?usage: weston_session.sh TEST_BINARY QT_PLUGIN_DIR [arguments...]}
shift 2

skip() {
    echo "SKIP: $* (scripts/install-deps installs it)"
    exit 77
}
for tool in weston weston-debug; do
    command -v "$tool" >/dev/null || skip "$tool is missing (Debian package weston)"
done
compgen -G "$plugins/platforms/libqwayland-*.so" >/dev/null ||
    skip "Qt's Wayland platform plugin is missing from $plugins/platforms (Debian package qt6-wayland)"

# A runtime folder of its own, mode 0700 as the compositor and the clients want it.
runtime=$(mktemp -d)
socket="brimcount-test-$$"
weston_pid=
logger_pid=
cleanup() {
    if [ -n "$logger_pid" ]; then kill "$logger_pid" 2>/dev/null || true; fi
    if [ -n "$weston_pid" ]; then kill "$weston_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -s "$runtime/weston.log" ] && sed 's/^/weston: /' "$runtime/weston.log" >&2
    exit 1
}

# shellcheck source=../support/wait_for.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/wait_for.sh"

# Weston 10 (Debian 12) picks the CPU renderer with --use-pixman; later versions spell it
# --renderer=pixman.
if weston --help 2>&1 | grep -q -- '--renderer'; then
    renderer=--renderer=pixman
else
    renderer=--use-pixman
fi

export XDG_RUNTIME_DIR="$runtime"
unset DISPLAY WAYLAND_SOCKET
# --debug lets weston-debug subscribe to the protocol log; --no-config keeps the user's
# weston.ini out of the test.
weston --backend=headless-backend.so "$renderer" --socket="$socket" --width=1280 --height=1024 \
    --no-config --debug --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
wait_for 10 test -S "$runtime/$socket" || fail "weston did not open its socket $socket"
export WAYLAND_DISPLAY="$socket"

# The logger writes its first line (its own request) once it is subscribed.
weston-debug -o "$runtime/protocol.log" proto 2>"$runtime/weston-debug.log" &
logger_pid=$!
wait_for 10 test -s "$runtime/protocol.log" || fail "weston-debug did not start the protocol log"

export BRIMCOUNT_WAYLAND_PROTOCOL_LOG="$runtime/protocol.log"
# The headless compositor has no seat (no keyboard, no pointer). Qt 6.4's Wayland text input
# reads the seat's input device whenever a focused edit field draws its cursor, and crashes
# without one; with no input method the fields draw as usual. A desktop session always has
# a seat.
status=0
QT_QPA_PLATFORM=wayland QT_IM_MODULE=none "$binary" "$@" || status=$?
kill -0 "$weston_pid" 2>/dev/null || fail "weston ended during the test"
exit "$status"
