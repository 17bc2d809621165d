#!/usr/bin/env bash
# Fails when an include hides its layer or crosses one the wrong way. Every project include
# names its folder from the source root ("core/catalogue.h"), and the libraries stand on each
# other in one order: core (plain C++, no Qt) under report under commands (plain C++, no Qt)
# under print (the printed plan: Qt Gui, no widgets) under ui; the command line (cli) stands on
# commands and print beside ui and links no widgets.
#
#   check_includes.sh SOURCE_ROOT
set -euo pipefail
root=${1:?usage: check_includes.sh SOURCE_ROOT}
cd "$root"

status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

# Every quoted include is a path from the source root; the one exception is the file that
# moc makes of a source file, which lives in the build tree.
while IFS=: read -r file line include; do
    target=$(sed -E 's/.*"([^"]+)".*/\1/' <<<"$include")
    case "$target" in
    *.moc) continue ;;
    esac
    [ -f "$target" ] || fail "$file:$line: \"$target\" does not name a file from the source root"
done < <(grep -rHnE '^\s*#\s*include\s+"' --include='*.h' --include='*.cpp' \
    core commands report print ui cli tests bench)

# What each layer may not include: the layers above it, and Qt where it is plain C++.
forbidden() {
    local folder=$1 pattern=$2 why=$3
    while IFS= read -r hit; do
        fail "$hit: $why"
    done < <(grep -rHnE "^\s*#\s*include\s+$pattern" --include='*.h' --include='*.cpp' "$folder")
}
forbidden core '"(commands|report|ui|tests|bench)/' "core includes only core"
forbidden core '<Q' "core is plain C++: no Qt"
forbidden report '"(commands|ui)/' "report stands below commands and ui"
forbidden commands '"ui/' "commands stands below ui"
forbidden commands '<Q' "commands is plain C++: no Qt"
forbidden commands '"print/' "commands stands below print"
forbidden report '"print/' "report stands below print"
forbidden print '"(ui|cli)/' "print stands below ui and cli"
forbidden print '<Q(Widget|Application|Dialog|Print|AbstractButton)|<QtWidgets|<QtPrintSupport' \
    "print needs Qt Gui alone: no widgets, no printer"
forbidden cli '"ui/' "the command line links no widgets"
forbidden cli '<Q(Widget|Application|Dialog|Painter|Pdf)' "the command line needs no display"

[ "$status" -eq 0 ] && echo "every include names its folder and keeps to its layer"
exit "$status"
