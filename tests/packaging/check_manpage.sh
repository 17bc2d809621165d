#!/usr/bin/env bash
# The manual page formats without a single groff or man warning, carries the project's
# version, and has the sections that a reader looks for (those of brimcount(1) unless named).
#   check_manpage.sh PAGE VERSION [SECTION...]
set -euo pipefail
. "$(dirname "$0")/common.sh"

page=$1
version=$2
shift 2
sections=("$@")
[ "${#sections[@]}" -gt 0 ] ||
    sections=(NAME SYNOPSIS DESCRIPTION "THE REPORT" ENVIRONMENT FILES "EXIT STATUS")
require_tools groff

warnings=$(groff -man -ww -z "$page" 2>&1) || fail "groff fails on $page: $warnings"
[ -z "$warnings" ] || fail "groff warns about $page: $warnings"
if command -v man >/dev/null 2>&1; then
    warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null) ||
        fail "man fails on $page: $warnings"
    [ -z "$warnings" ] || fail "man warns about $page: $warnings"
fi

th=$(grep -m 1 '^\.TH ' "$page")
case "$th" in
    *"\"Brimcount $version\""*) ;;
    *) fail "the title line '$th' does not name Brimcount $version" ;;
esac
for section in "${sections[@]}"; do
    grep -qx "\.SH \"\?$section\"\?" "$page" || fail "section $section is missing"
done
echo "manual page formats cleanly"
