# Shared by the packaging checks: results in CTest's terms (77 means skipped).
# shellcheck shell=bash

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIP: $*"
    exit 77
}

# Skips the test when one of the named programs is not installed.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
    done
}

# Prints the value of KEY in the [Desktop Entry] group of a desktop file.
desktop_value() {
    awk -F= -v key="$2" '
        /^\[/ { in_entry = ($0 == "[Desktop Entry]"); next }
        in_entry && $1 == key { sub(/^[^=]*=/, ""); print; exit }
    ' "$1"
}
