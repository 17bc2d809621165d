#!/usr/bin/env bash
# The desktop entry passes desktop-file-validate without a single error, warning or hint,
# and names the program, icon and categories that the menus need.
set -euo pipefail
. "$(dirname "$0")/common.sh"

desktop=$1
require_tools desktop-file-validate

report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects $desktop: $report"
[ -z "$report" ] || fail "desktop-file-validate complains about $desktop: $report"

id=$(basename "$desktop" .desktop)
[ "$(desktop_value "$desktop" Type)" = Application ] || fail "Type is not Application"
[ "$(desktop_value "$desktop" Exec)" = brimcount ] || fail "Exec does not start brimcount"
[ "$(desktop_value "$desktop" Icon)" = "$id" ] || fail "Icon is not the application id $id"
[ "$(desktop_value "$desktop" Terminal)" = false ] || fail "Terminal is not false"
case ";$(desktop_value "$desktop" Categories)" in
    *";Utility;"*) ;;
    *) fail "Categories lacks Utility" ;;
esac
case ";$(desktop_value "$desktop" Categories)" in
    *";Calculator;"*) ;;
    *) fail "Categories lacks Calculator" ;;
esac
echo "desktop entry $id is valid"
