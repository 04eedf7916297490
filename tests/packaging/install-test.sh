#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tavlo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix whose path needs quoting in Exec=, checks that every file
# is where the freedesktop and Debian conventions put it, that the desktop entry names the
# installed tavlo, and that the installed metadata passes the validators.
set -euo pipefail
build=${1:?usage: install-test.sh <build-dir>}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/a prefix"
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
for f in bin/tavlo libexec/tavlo/nettop libexec/tavlo/system_profiler; do
    [ -x "$prefix/$f" ] || fail "$f is not an installed program"
done
for f in share/applications/org.tavlo.Tavlo.desktop share/metainfo/org.tavlo.Tavlo.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.tavlo.Tavlo.svg share/man/man1/tavlo.1.gz \
    share/doc/tavlo/copyright share/doc/tavlo/changelog.gz share/doc/tavlo/COPYING; do
    [ -s "$prefix/$f" ] || fail "$f is missing"
done
for size in 16 22 24 32 48 64 128 256; do
    [ "$(file -b "$prefix/share/icons/hicolor/${size}x$size/apps/org.tavlo.Tavlo.png" | cut -d, -f2)" = " $size x $size" ] \
        || fail "the ${size} px icon is missing or has the wrong size"
done
# Nothing else: no test programs, no static libraries, no headers.
extra=$(cd "$prefix" && find . -type f | grep -vE '^\./(bin/tavlo|libexec/tavlo/|share/(applications|metainfo|icons/hicolor|man/man1|doc/tavlo)/)' || true)
[ -z "$extra" ] || fail "installed files that do not belong there: $extra"

desktop="$prefix/share/applications/org.tavlo.Tavlo.desktop"
[ "$(grep '^Exec=' "$desktop")" = "Exec=\"$prefix/bin/tavlo\"" ] || fail "Exec= does not name the installed tavlo: $(grep '^Exec=' "$desktop")"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --pedantic --no-net "$prefix/share/metainfo/org.tavlo.Tavlo.metainfo.xml" \
    || fail "appstreamcli validate"
gzip -dc "$prefix/share/man/man1/tavlo.1.gz" | groff -man -Tutf8 -ww -z 2>&1 | (! grep .) || fail "the manual page has warnings"
echo "installed and validated in $prefix"
