#!/usr/bin/env bash
# `cmake --install` into a scratch DESTDIR puts down exactly the listed files, each of the
# right kind, and the desktop entry, icons, metadata and manual page refer to each other
# and to the program correctly.
#   check_install_tree.sh BUILD_DIR INSTALLED_FILES_LIST PACKAGING_SOURCE_DIR
set -euo pipefail
. "$(dirname "$0")/common.sh"

build=$1
list=$2
sources=$3
require_tools cmake file readelf gzip groff desktop-file-validate appstreamcli

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
stage=$tmp/stage
app_id=io.github.brimcount.Brimcount

DESTDIR=$stage cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$tmp/install.log")"

grep -v -e '^#' -e '^$' "$list" | sort >"$tmp/expected"
sed "s|^/usr/||" "$build/install_manifest.txt" | sort >"$tmp/manifest"
diff -u "$tmp/expected" "$tmp/manifest" >&2 ||
    fail "the install manifest differs from $(basename "$list") (- listed, + installed)"
(cd "$stage" && find . ! -type d) | sed 's|^\./usr/||' | sort >"$tmp/tree"
diff -u "$tmp/manifest" "$tmp/tree" >&2 ||
    fail "the installed tree holds files that the manifest does not name"

usr=$stage/usr

# The programs: ELF executables without a run path into the build or install tree; the
# command line answers with no display at all.
for program in brimcount brimcount-cli; do
    file -b "$usr/bin/$program" | grep -q '^ELF .*executable' ||
        fail "bin/$program is not an ELF executable: $(file -b "$usr/bin/$program")"
    if readelf -d "$usr/bin/$program" | grep -E '\((RPATH|RUNPATH)\)' >&2; then
        fail "the installed $program carries a run path"
    fi
done
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/brimcount-cli" --version) ||
    fail "the installed brimcount-cli --version failed"
[[ "$version" == "brimcount-cli "* ]] || fail "brimcount-cli --version says '$version'"

# Icons: each PNG has its directory's size, and the scalable one is SVG.
for size in 16 32 48; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," ||
        fail "the ${size}x${size} icon is $(file -b "$png")"
done
svg=$usr/share/icons/hicolor/scalable/apps/$app_id.svg
file -b "$svg" | grep -q 'SVG' || fail "the scalable icon is $(file -b "$svg")"
grep -q '<svg' "$svg" || fail "the scalable icon has no <svg> element"

# The desktop entry starts the installed program and names the installed icon.
desktop=$usr/share/applications/$app_id.desktop
report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ] ||
    fail "installed desktop entry: $report"
exec_name=$(desktop_value "$desktop" Exec)
[ -x "$usr/bin/${exec_name%% *}" ] || fail "Exec=$exec_name is not an installed program"
icon=$(desktop_value "$desktop" Icon)
for path in 16x16/apps/$icon.png 32x32/apps/$icon.png 48x48/apps/$icon.png scalable/apps/$icon.svg; do
    [ -f "$usr/share/icons/hicolor/$path" ] || fail "Icon=$icon has no hicolor/$path"
done

# The metadata launches the installed desktop entry and provides the installed binary.
metainfo=$usr/share/metainfo/$app_id.metainfo.xml
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ -f "$usr/share/applications/$launchable" ] || fail "launchable $launchable is not installed"
binary=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo")
[ -x "$usr/bin/$binary" ] || fail "provided binary $binary is not installed"
report=$(appstreamcli validate-tree --no-net --no-color "$usr" 2>&1) ||
    fail "appstreamcli validate-tree rejects the installed tree: $report"
if grep -E '^[EWI]: ' <<<"$report"; then
    fail "appstreamcli validate-tree reports issues in the installed tree"
fi

# Each manual page is the current source page, gzip-compressed, and formats cleanly.
for name in brimcount brimcount-cli; do
    page=$usr/share/man/man1/$name.1.gz
    gzip -t "$page" || fail "the manual page $name.1 is not a valid gzip file"
    gzip -dc "$page" | cmp -s - "$sources/$name.1" || fail "the installed $name.1 is stale"
    warnings=$(gzip -dc "$page" | groff -man -ww -z 2>&1) && [ -z "$warnings" ] ||
        fail "groff warns about the installed $name.1: $warnings"
done

echo "install tree holds the $(wc -l <"$tmp/expected") listed files"
