#!/usr/bin/env bash
# The AppStream metadata validates offline with no error, warning or info (pedantic notes
# are allowed: the reverse-DNS id keeps its capital letter, as the desktop file name
# does), and its newest release is the project's version.
set -euo pipefail
. "$(dirname "$0")/common.sh"

metainfo=$1
version=$2
require_tools appstreamcli

report=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) ||
    fail "appstreamcli rejects $metainfo: $report"
if grep -E '^[EWI]: ' <<<"$report"; then
    fail "appstreamcli reports issues in $metainfo"
fi

id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$id.metainfo.xml" = "$(basename "$metainfo")" ] || fail "file name does not match the id $id"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$id.desktop" ] || fail "launchable $launchable is not $id.desktop"
newest=$(grep -o '<release [^>]*>' "$metainfo" | head -n 1 | sed -n 's/.*version="\([^"]*\)".*/\1/p')
[ "$newest" = "$version" ] || fail "newest release is '$newest', the project is $version"
echo "metainfo $id is valid, newest release $newest"
