#!/usr/bin/env bash
# Installs the Debian package the way a user does, `apt install ./quorel_*.deb`, in a scratch
# Debian 12 root: apt finds every package it depends on, the installed quorel-cli prints its
# version and draws the example's diagram, and `apt remove` (and a purge where one is left to
# do) leaves nothing of the package behind: none of its files, no path that names it, no entry
# in the system's indexes of desktop entries, file types and icons.
#
# Kept under /var/cache/quorel-install-root, so a repeated run is cheap:
#   bookworm/                  a minimal root made once with debootstrap (its packages from the
#                              local apt cache where they are there, else from the mirror);
#   dependencies-KEY/          that root once apt has installed what the package needs and the
#                              package is gone again, KEY naming the package's Depends and
#                              Recommends: a package that needs the same starts from there and
#                              apt only adds the package itself; another one starts from the
#                              minimal root, with the packages downloaded before at hand.
# The scratch root is an overlay on the cached one (a copy where overlays are refused).
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
elapsed() { echo "$((SECONDS - started)) s"; }

[ "$(id -u)" -eq 0 ] || skip "not the superuser"
command -v debootstrap >/dev/null || skip "debootstrap is not installed"
command -v flock >/dev/null || skip "flock is not installed"

# The minimal root: made in a folder of its own and renamed when complete, so a run that is
# stopped half way leaves no half root; one run at a time makes it.
base=$cache/bookworm
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
if [ ! -x "$base/usr/bin/apt-get" ]; then
    echo "-- debootstrap of the minimal root (once; kept in $base)"
    rm -rf "$cache/new"
    log=$cache/debootstrap.log
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

key=$(dpkg-deb -f "$package" Depends Recommends | sha256sum | cut -c1-16)
prepared=$cache/dependencies-$key
lower=$base
[ -d "$prepared" ] && lower=$prepared

scratch=$(mktemp -d "${TMPDIR:-/var/tmp}/quorel-install.XXXXXX")
root=$scratch/root
mkdir -p "$root" "$scratch/upper" "$scratch/work"
cleanup()
{
    umount "$root/proc" 2>/dev/null || true
    umount "$root" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
mount -t overlay overlay -o "lowerdir=$lower,upperdir=$scratch/upper,workdir=$scratch/work" \
    "$root" 2>/dev/null || cp -a "$lower/." "$root/"
chroot "$root" /bin/true 2>/dev/null || skip "chroot refused"
# /proc for the programs that look at themselves; the check runs without it where mounting is
# refused.
mount -t proc proc "$root/proc" 2>/dev/null || true
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
cp "$package" "$root/tmp/"
if [ "$lower" = "$base" ]; then
    # The packages an earlier run downloaded, so that only new ones come from the mirror.
    for earlier in "$cache"/dependencies-*/var/cache/apt/archives; do
        cp -n "$earlier"/*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true
    done
fi
in_root()
{
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}
apt_quiet()
{
    # apt says its command line is not a stable interface; the check uses it as a user does.
    in_root apt -o Dpkg::Use-Pty=0 "$@" 2> >(grep -v 'does not have a stable CLI interface' >&2)
}

echo "-- apt install ./$(basename "$package") (from $(basename "$lower"), ready after $(elapsed))"
# Package lists a day old at most when the mirror answers; the cached ones otherwise.
if [ -z "$(find "$root/var/lib/apt/lists" -maxdepth 1 -name '*_Packages*' -mmin -1440)" ]; then
    in_root apt-get update -qq >/dev/null 2>&1 \
        || compgen -G "$root/var/lib/apt/lists/*_Packages*" >/dev/null \
        || skip "no package lists: the mirror $mirror does not answer"
fi
apt_quiet install -y -qq "/tmp/$(basename "$package")" >"$scratch/install.log" \
    || { cat "$scratch/install.log" >&2; fail "apt could not install the package"; }

echo "-- the installed quorel-cli (installed after $(elapsed))"
version=$(sed -n 's/^project(Quorel VERSION \([0-9.]*\).*/\1/p' \
    "$(dirname "$0")/../../CMakeLists.txt")
[ "$(in_root quorel-cli --version)" = "quorel-cli $version" ] \
    || fail "quorel-cli --version: $(in_root quorel-cli --version 2>&1)"
example=/usr/share/doc/quorel/examples/joints.qrl
in_root quorel-cli render "$example" -o /tmp/joints.svg 2>/dev/null || fail "render to SVG failed"
grep -q '<svg' "$root/tmp/joints.svg" || fail "render drew no SVG"
in_root quorel-cli render "$example" -o /tmp/joints.png --size 300 2>/dev/null \
    || fail "render to PNG failed (the painter plugin or Qt's offscreen platform is missing)"
[[ $(file "$root/tmp/joints.png") == *"PNG image data, 300 x 300,"* ]] || fail "render drew no PNG"
rm -f "$root/tmp/joints.svg" "$root/tmp/joints.png" "$root/tmp/$(basename "$package")"

echo "-- apt remove quorel, apt purge quorel"
in_root dpkg-query -L quorel >"$scratch/files"
apt_quiet remove -y -qq quorel >"$scratch/remove.log" \
    || { cat "$scratch/remove.log" >&2; fail "apt could not remove the package"; }
# A package without configuration files is purged by its removal already, and apt then no
# longer knows its name.
# shellcheck disable=SC2016 # dpkg-query's own field syntax
if in_root dpkg-query -W -f='${Status}\n' quorel 2>/dev/null | grep -q 'config-files'; then
    apt_quiet purge -y -qq quorel >>"$scratch/remove.log" \
        || { cat "$scratch/remove.log" >&2; fail "apt could not purge the package"; }
fi
# shellcheck disable=SC2016
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
echo "install check: passed in $(elapsed)"

# The root as it now stands (the dependencies in, the package gone) is where the next run of a
# package that needs the same starts. Those of other packages go after a day unused (a run that
# started from one may still be going).
if [ "$lower" = "$base" ]; then
    umount "$root/proc" 2>/dev/null || true
    (
        flock 9
        if [ ! -d "$prepared" ]; then
            rm -rf "$cache/new-dependencies"
            mkdir "$cache/new-dependencies"
            cp -a "$root/." "$cache/new-dependencies/"
            mv "$cache/new-dependencies" "$prepared"
        fi
        find "$cache" -mindepth 1 -maxdepth 1 -name 'dependencies-*' ! -path "$prepared" \
            -mtime +0 -exec rm -rf {} +
    ) 9>"$cache/lock"
fi
touch "$prepared" 2>/dev/null || true
