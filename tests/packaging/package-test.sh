#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the build with cpack, installs the package with apt-get, starts /usr/bin/tavlo in the
# virtual desktop (rates on the item, the dashboard opened by a click), purges the package and
# checks that none of its files is left. Exit 77: skipped.
set -euo pipefail
build=$(cd "${1:?usage: package-test.sh <build-dir> <source-dir>}" && pwd)
source=${2:?usage: package-test.sh <build-dir> <source-dir>}
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
[ -n "${CI:-}" ] || [ "${TAVLO_PACKAGE_TEST:-}" = 1 ] || skip "changes the system; runs in CI or with TAVLO_PACKAGE_TEST=1"
! dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q installed || skip "a tavlo package is installed already"

work=$(mktemp -d)
installed=""
cleanup() {
    [ -z "$installed" ] || DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq tavlo >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/tavlo_*.deb)
# Paths of the package that exist before it is installed (/usr/bin and the like) may stay.
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | sed 's|/$||' | while read -r path; do
    [ ! -e "$path" ] || echo "$path"
done >"$work/before"

installed=yes
# No recommends: a test must not pull a desktop's panel onto the machine.
(cd "$(dirname "$deb")" && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "./$(basename "$deb")") >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
dpkg -L tavlo >"$work/files"
grep -qx /usr/bin/tavlo "$work/files" || fail "the package has no /usr/bin/tavlo"
grep -qx 'Exec=/usr/bin/tavlo' /usr/share/applications/org.tavlo.Tavlo.desktop || fail "the menu entry does not start /usr/bin/tavlo"

"$source/scripts/virtual-desktop" "$build" --app /usr/bin/tavlo --shots "$build/screenshots-package" --dashboard-only \
    || fail "the installed tavlo did not show its rates and dashboard"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq tavlo >/dev/null
installed=""
left=""
while read -r path; do
    if [ "$path" != /. ] && [ -e "$path" ] && ! grep -qxF "$path" "$work/before"; then
        left+=" $path"
    fi
done <"$work/files"
[ -z "$left" ] || fail "left behind after purge:$left"
echo "installed, ran and purged $(basename "$deb")"
