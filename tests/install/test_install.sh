#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR under /usr, as the package
# does, and checks what a desktop reads from it: the file list, the menu
# entry, the AppStream metadata, the design file type, the icon and the
# manual pages.
# Usage: test_install.sh BUILD_DIR EXPECTED_FILES VERSION
set -euo pipefail

build="$1"
expected="$2"
version="$3"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

# Exactly the expected files, nothing more and nothing less.
(cd "$dest" && find . -type f -o -type l | sed 's|^\.||' | LC_ALL=C sort) >"$dest.list"
if ! diff -u <(LC_ALL=C sort "$expected") "$dest.list"; then
    rm -f "$dest.list"
    fail "installed files differ from $expected"
fi
rm -f "$dest.list"
share="$dest/usr/share"

# Menu entry: valid, and it opens design files with the program.
desktop="$share/applications/org.haltrix.Haltrix.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=haltrix %f' "$desktop" || fail "Exec line"
grep -qx 'MimeType=application/x-haltrix-design;' "$desktop" || fail "MimeType line"
grep -q '^Name\[ja\]=' "$desktop" || fail "no Japanese name"

# AppStream: valid, and its release is the project version.
metainfo="$share/metainfo/org.haltrix.Haltrix.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "release is not $version"

# The design file type: well-formed, and shared-mime-info maps *.tvx to it.
xmllint --noout "$share/mime/packages/org.haltrix.Haltrix.xml" || fail "mime XML"
update-mime-database "$share/mime"
grep -qx 'application/x-haltrix-design:\*\.tvx' "$share/mime/globs" ||
    fail "*.tvx is not application/x-haltrix-design"
grep -q 'x-haltrix-design' "$share/mime/types" || fail "type not registered"

# The icon is a well-formed SVG.
xmllint --noout "$share/icons/hicolor/scalable/apps/org.haltrix.Haltrix.svg" || fail "icon"

# The manual pages format without a warning and carry the version.
for page in haltrix haltrix-calc; do
    file="$share/man/man1/$page.1.gz"
    warnings="$(zcat "$file" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)"
    [ -z "$warnings" ] || fail "$page.1: $warnings"
    zcat "$file" | grep -q "^\.TH .*\"Haltrix $version\"" || fail "$page.1 version"
done
zcat "$share/man/man1/haltrix-calc.1.gz" | grep -q '^\.SH EXIT STATUS' || fail "exit status"

# The installed programs run and say their version.
[ "$("$dest/usr/bin/haltrix-calc" --version)" = "haltrix-calc $version" ] ||
    fail "haltrix-calc --version"
echo "installed files checked in $dest"
