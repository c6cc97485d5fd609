#!/usr/bin/env bash
# Installs the Debian package the way a user does, `apt install ./quorel_*.deb`, in a scratch
# Debian 12 root: apt finds every package it depends on, the installed quorel-cli prints its
# version and draws the example's diagram, and `apt remove` then `apt purge` leave nothing of
# the package behind: none of its files, no path that names it, no entry in the system's
# indexes of desktop entries, file types and icons.
#
# The root is made once with debootstrap (its packages from the local apt cache where they are
# there, else from the mirror) and kept under /var/cache/quorel-install-root with the packages
# the install downloaded, so a repeated run copies it and installs without downloading.
# Where the machine allows no chroot (not the superuser, no debootstrap, no mirror, a refused
# chroot) the check prints "skipped: no chroot here (REASON)" and passes.
# Usage: check_install.sh PACKAGE.deb
set -euo pipefail
package=$(realpath "$1")
cache=${QUOREL_INSTALL_ROOT_CACHE:-/var/cache/quorel-install-root}
mirror=${QUOREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security_mirror=${QUOREL_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
started=$SECONDS
skip()
{
    echo "install check: skipped: no chroot here ($*)"
    exit 0
}
fail()
{
    echo "install check: $*" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "not the superuser"
command -v debootstrap >/dev/null || skip "debootstrap is not installed"
command -v flock >/dev/null || skip "flock is not installed"

# The cached root: made in a folder of its own and renamed when complete, so a run that is
# stopped half way leaves no half root; one run at a time makes it.
base=$cache/bookworm
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
if [ ! -x "$base/usr/bin/apt-get" ]; then
    echo "-- debootstrap of the scratch root (once; kept in $base)"
    rm -rf "$cache/new"
    log=$cache/debootstrap.log
    # Packages come from the local apt cache where they are there.
    debootstrap --variant=minbase --cache-dir=/var/cache/apt/archives bookworm "$cache/new" \
        "$mirror" >"$log" 2>&1 || {
        rm -rf "$cache/new"
        skip "debootstrap failed, see $log"
    }
    # The suites a Debian 12 machine uses.
    cat >"$cache/new/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security_mirror bookworm-security main
EOF
    mv "$cache/new" "$base"
fi
flock -u 9

scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/quorel-install.XXXXXX")
root=$scratch/root
cleanup()
{
    umount "$root/proc" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
cp -a "$base" "$root"
chroot "$root" /bin/true 2>/dev/null || skip "chroot refused"
# /proc for the programs that look at themselves; the check runs without it where mounting is
# refused.
mount -t proc proc "$root/proc" 2>/dev/null || true
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
cp "$package" "$root/tmp/"
in_root()
{
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
apt_quiet()
{
    # apt says its command line is not a stable interface; the check uses it as a user does.
    in_root apt "$@" 2> >(grep -v 'does not have a stable CLI interface' >&2)
}

echo "-- apt install ./$(basename "$package")"
# Fresh package lists when the mirror answers; the cached ones otherwise.
in_root apt-get update -qq >/dev/null 2>&1 \
    || compgen -G "$root/var/lib/apt/lists/*_Packages*" >/dev/null \
    || skip "no package lists: the mirror $mirror does not answer"
apt_quiet install -y -qq "/tmp/$(basename "$package")" >"$scratch/install.log" \
    || { cat "$scratch/install.log" >&2; fail "apt could not install the package"; }
# What apt downloaded (lists and packages) stays with the cached root for the next run.
(
    flock 9
    cp -a "$root/var/lib/apt/lists/." "$base/var/lib/apt/lists/"
    cp -n "$root"/var/cache/apt/archives/*.deb "$base/var/cache/apt/archives/" 2>/dev/null || true
) 9>"$cache/lock"

echo "-- the installed quorel-cli"
version=$(sed -n 's/^project(Quorel VERSION \([0-9.]*\).*/\1/p' \
    "$(dirname "$0")/../../CMakeLists.txt")
[ "$(in_root quorel-cli --version)" = "quorel-cli $version" ] \
    || fail "quorel-cli --version: $(in_root quorel-cli --version 2>&1)"
example=/usr/share/doc/quorel/examples/joints.qrl
in_root quorel-cli render "$example" -o /tmp/joints.svg || fail "render to SVG failed"
grep -q '<svg' "$root/tmp/joints.svg" || fail "render drew no SVG"
in_root quorel-cli render "$example" -o /tmp/joints.png --size 300 \
    || fail "render to PNG failed (the painter plugin or Qt's offscreen platform is missing)"
[[ $(file "$root/tmp/joints.png") == *"PNG image data, 300 x 300,"* ]] || fail "render drew no PNG"

echo "-- apt remove quorel, apt purge quorel"
in_root dpkg-query -L quorel >"$scratch/files"
apt_quiet remove -y -qq quorel >"$scratch/remove.log" \
    || { cat "$scratch/remove.log" >&2; fail "apt could not remove the package"; }
apt_quiet purge -y -qq quorel >>"$scratch/remove.log" \
    || { cat "$scratch/remove.log" >&2; fail "apt could not purge the package"; }
# shellcheck disable=SC2016 # dpkg-query's own field syntax
! in_root dpkg-query -W -f='${Status}\n' quorel 2>/dev/null | grep -qv 'not-installed' \
    || fail "dpkg still knows the package: $(in_root dpkg-query -W -f='${Status}' quorel)"
left=()
while IFS= read -r path; do
    # A folder may stay when other packages use it; a file may not.
    if [ -e "$root$path" ] && [ ! -d "$root$path" ]; then left+=("$path"); fi
done <"$scratch/files"
((${#left[@]} == 0)) || fail "files of the package left behind: ${left[*]}"
named=$(cd "$root" && find . -xdev -iname '*quorel*' ! -path './tmp/*' ! -path './proc/*' \
    ! -path './var/log/*' ! -path './var/cache/apt/*' | head)
[ -z "$named" ] || fail "paths that name the package left behind: $named"
indexes=$(grep -rlis quorel "$root/usr/share/applications" "$root/usr/share/mime" \
    "$root/usr/share/icons" "$root/etc" 2>/dev/null | head || true)
[ -z "$indexes" ] || fail "the system's indexes still name the package: $indexes"
echo "install check: passed in $((SECONDS - started)) s"
