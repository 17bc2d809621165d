#!/usr/bin/env bash
# Builds the Debian package with CPack from a configured and built tree and checks it:
# its control fields, that Depends names the Qt 6, C and C++ runtime packages (and not Qt's
# Wayland plugin), that it holds exactly the files of the install manifest, and that the
# program unpacked from it into a scratch root (dpkg -x) starts under Xvfb, shows its window
# and closes on Escape with status 0, and that its command line answers with no display.
#   check_deb.sh BUILD_DIR INSTALLED_FILES_LIST VERSION SANITIZED(0|1)
set -euo pipefail
. "$(dirname "$0")/common.sh"

build=$1
list=$2
version=$3
sanitized=$4
require_tools cpack dpkg dpkg-deb dpkg-shlibdeps Xvfb xdotool xprop timeout readelf

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# --- Build the package -------------------------------------------------------------------
# CPack installs the project into its staging tree and records the installed files in
# the build tree's install_manifest.txt; remove an older one so that only this run counts.
# The package is made from the tree as it was built; the test does not build. With the
# Makefile generator CPack would first run the `preinstall` target, which builds every
# target of the tree again; naming a generator without such a target skips that step and
# changes nothing else (the install itself is the tree's cmake_install.cmake).
rm -f "$build/install_manifest.txt"
timeout 240 cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" \
    -D CPACK_CMAKE_GENERATOR=Ninja >"$tmp/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$tmp/cpack.log")"
arch=$(dpkg --print-architecture)
deb=$tmp/out/brimcount_${version}-1_${arch}.deb
[ -f "$deb" ] || fail "cpack made no $(basename "$deb"): $(ls "$tmp/out")"

# --- Control fields ----------------------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = brimcount ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version-1" ] || fail "Version is '$(field Version)', not $version-1"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = utils ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "Maintainer is empty"
[ -n "$(field Description)" ] || fail "Description is empty"

depends=$(field Depends)
# One package name per line, versions and alternatives dropped.
tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | sed '/^$/d' | sort -u >"$tmp/depends"
for lib in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libc6 'libstdc++6'; do
    grep -qxF "$lib" "$tmp/depends" || fail "Depends lacks $lib: $depends"
done
# Qt picks its Wayland platform where that plugin is installed; the package itself runs on
# any of Qt's platforms and does not pull the plugin in.
if grep -E '^(qt6-wayland|libqt6wayland)' "$tmp/depends"; then
    fail "Depends names Qt's Wayland plugin or its libraries: $depends"
fi
if [ "$sanitized" = 0 ] && grep -E '^lib(asan|ubsan|tsan|lsan)' "$tmp/depends"; then
    fail "the package of an uninstrumented build depends on sanitizer runtimes: $depends"
fi

# --- Contents ----------------------------------------------------------------------------
[ -s "$build/install_manifest.txt" ] || fail "cpack wrote no install manifest"
sort "$build/install_manifest.txt" >"$tmp/manifest"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./|/|' | sort >"$tmp/contents"
diff -u "$tmp/manifest" "$tmp/contents" >&2 ||
    fail "the package differs from the install manifest (- installed, + packaged)"
grep -v -e '^#' -e '^$' "$list" | sed 's|^|/usr/|' | sort >"$tmp/expected"
diff -u "$tmp/expected" "$tmp/contents" >&2 ||
    fail "the package differs from $(basename "$list") (- listed, + packaged)"

# --- The unpacked programs run ------------------------------------------------------------
dpkg -x "$deb" "$tmp/root"
program=$tmp/root/usr/bin/brimcount
[ -x "$program" ] || fail "the package has no executable usr/bin/brimcount"
# The command line beside it, with no display at all.
cli_version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$tmp/root/usr/bin/brimcount-cli" --version) ||
    fail "the packaged brimcount-cli --version failed"
[ "$cli_version" = "brimcount-cli $version" ] ||
    fail "the packaged brimcount-cli says '$cli_version', not brimcount-cli $version"
# It links Qt Gui for the plan's PDF, which Depends covers (the offscreen platform comes with
# it), and never the widgets or the printer; its plan needs no display either.
needed=$(readelf -d "$tmp/root/usr/bin/brimcount-cli" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
grep -qx 'libQt6Gui.so.6' <<<"$needed" || fail "brimcount-cli does not link Qt Gui: $needed"
if grep -E '^libQt6(Widgets|PrintSupport)' <<<"$needed"; then
    fail "brimcount-cli links Qt's widgets or printing: $needed"
fi
env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0 "$tmp/root/usr/bin/brimcount-cli" \
    plan "$(dirname "$0")/../../docs/example.brimcount" -o "$tmp/plan.pdf" ||
    fail "the packaged brimcount-cli plan failed with no display"
[ "$(head -c 5 "$tmp/plan.pdf")" = "%PDF-" ] || fail "the packaged brimcount-cli plan wrote no PDF"
wm_class=$(desktop_value "$tmp/root/usr/share/applications/io.github.brimcount.Brimcount.desktop" \
    StartupWMClass)

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
    sleep 0.1
done
[ -s "$tmp/display" ] || fail "Xvfb did not report its display within 10 s"
export DISPLAY=":$(head -n 1 "$tmp/display")"

mkdir -p "$tmp/home" "$tmp/runtime"
chmod 700 "$tmp/runtime"
run_env=(env -u WAYLAND_DISPLAY -u SESSION_MANAGER HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime"
    QT_QPA_PLATFORM=xcb)
if [ "$sanitized" != 0 ]; then
    # Memory errors still stop the program. Leak checking is left to the unit tests:
    # under the X11 plug-in, libdbus keeps an allocation until exit that LeakSanitizer
    # would report.
    run_env+=(ASAN_OPTIONS=detect_leaks=0)
fi
# An argument is given on purpose: the program ignores its command line.
"${run_env[@]}" timeout 60 "$program" ignored-argument >"$tmp/app.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Brimcount$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before showing its window: $(cat "$tmp/app.log")"
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled Brimcount within 30 s: $(cat "$tmp/app.log")"
[ "$(xdotool getwindowname "$window")" = Brimcount ] || fail "the window title is not Brimcount"

# The desktop matches the window to its entry through WM_CLASS on X11.
class=$(xprop -id "$window" WM_CLASS)
case "$class" in
    *"\"$wm_class\""*) ;;
    *) fail "WM_CLASS ($class) does not hold StartupWMClass=$wm_class of the desktop entry" ;;
esac

timeout 10 xdotool windowfocus --sync "$window" || fail "could not focus the window"
xdotool key Escape
for _ in $(seq 150); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "the program is still running 15 s after Escape"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" = 0 ] || fail "the program exited with status $status: $(cat "$tmp/app.log")"

echo "package $(basename "$deb") holds $(wc -l <"$tmp/contents") files and runs; Depends: $depends"
