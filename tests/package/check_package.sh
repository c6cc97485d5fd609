#!/usr/bin/env bash
# Checks the Debian package as a user would meet it: lintian finds no error in it, its desktop
# entry, AppStream data and file type are valid, and the programs unpacked from it run: the
# installed quorel-cli prints its version and draws a diagram, and the installed program opens a
# data file in a window on a virtual display and closes again, leaving the .qrl association
# pointing at the installed program.
# Usage: check_package.sh PACKAGE.deb
set -euo pipefail
package=$(realpath "$1")
source_dir=$(realpath "$(dirname "$0")/../..")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail()
{
    echo "package check: $*" >&2
    exit 1
}

echo "-- lintian"
# Errors fail the check; warnings are printed for the reader.
lintian_status=0
lintian --fail-on error "$package" 2>&1 | grep -v '^running with root privileges' \
    || lintian_status=${PIPESTATUS[0]}
((lintian_status == 0)) || fail "lintian reports errors"

root=$scratch/root
dpkg-deb -x "$package" "$root"
app_id=org.quorel.Quorel
echo "-- desktop-file-validate, appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"
for page in help.html help-en.html; do
    [ -f "$root/usr/share/doc/quorel/html/$page" ] || fail "no help page $page"
done
for size in 16 22 24 32 48 64 128 256; do
    [[ $(file "$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png") \
        == *"PNG image data, $size x $size,"* ]] || fail "no $size pixel icon"
done
echo "-- the file type"
mkdir -p "$scratch/mime/packages"
cp "$root/usr/share/mime/packages/quorel.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" 2>/dev/null
grep -q '^[0-9]*:application/x-quorel:\*\.qrl$' "$scratch/mime/globs2" \
    || fail "the MIME package does not map *.qrl to application/x-quorel"

echo "-- the installed quorel-cli"
cli=$root/usr/bin/quorel-cli
version=$(sed -n 's/^project(Quorel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ "$("$cli" --version)" = "quorel-cli $version" ] || fail "quorel-cli --version: $("$cli" --version)"
example=$root/usr/share/doc/quorel/examples/joints.qrl
"$cli" render "$example" -o "$scratch/joints.png" --size 300
[[ $(file "$scratch/joints.png") == *"PNG image data, 300 x 300,"* ]] || fail "render drew no diagram"
# Qt is loaded only for PNG, PDF and EMF, from the plugin the package carries.
! readelf -d "$cli" | grep 'NEEDED.*libQt' || fail "quorel-cli links Qt itself"
"$cli" render "$example" -o "$scratch/joints.svg"
[ -s "$scratch/joints.svg" ] || fail "render drew no SVG"

echo "-- the installed program"
# Scripts that share a machine pass their own display number.
display=(-a)
[ -z "${QUOREL_DISPLAY_NUMBER:-}" ] || display=(-n "$QUOREL_DISPLAY_NUMBER")
home=$scratch/home
mkdir -p "$home"
cp "$example" "$home/joints.qrl"
# The user's own folders only, and the unpacked package where the system's would be.
env -i PATH="$root/usr/bin:/usr/bin:/bin" HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
    XDG_DATA_DIRS="$root/usr/share:/usr/share" XDG_RUNTIME_DIR="$scratch" \
    QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
    xvfb-run "${display[@]}" -s "-screen 0 1280x800x24 -nolisten tcp" bash -c '
        quorel "$HOME/joints.qrl" >"$HOME/quorel.log" 2>&1 &
        program=$!
        # The window names the file it opened; Alt+F4 is the program'\''s own Exit.
        window=$(timeout 60 xdotool search --sync --onlyvisible --name "joints\.qrl") \
            || { kill "$program"; echo "no window showed the file" >&2; exit 1; }
        xdotool windowfocus --sync "$window" key alt+F4
        timeout 60 tail --pid="$program" -f /dev/null \
            || { kill "$program"; echo "the program did not close" >&2; exit 1; }
        wait "$program"' || { cat "$home/quorel.log" >&2 || true; fail "the program failed"; }
grep -qx '\[2.0\]' "$home/config/Halvorn5/Quorel.conf" || fail "the program stored no settings"
# Closing registered the .qrl files for the user: to the installed entry, not to a copy of its own.
grep -qx 'application/x-quorel=org.quorel.Quorel.desktop' "$home/config/mimeapps.list" \
    || fail "the .qrl files are not given to the installed program"
[ ! -e "$home/data/applications/quorel.desktop" ] || fail "a second desktop entry was written"
echo "package check: passed"
