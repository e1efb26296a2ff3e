#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from this build with CPack into a temporary
# folder and checks its name, its file list and its dependencies.
# Usage: test_package.sh BUILD_DIR EXPECTED_FILES VERSION
set -euo pipefail

build="$1"
expected="$2"
version="$3"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; fail "cpack"; }
deb="$out/haltrix_${version}_amd64.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$out")"

# Every file of the package, and nothing but the expected ones.
listed="$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | LC_ALL=C sort)"
if ! diff -u <(LC_ALL=C sort "$expected") <(echo "$listed"); then
    fail "package files differ from $expected"
fi

[ "$(dpkg-deb --field "$deb" Package)" = haltrix ] || fail "package name"
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] || fail "version"
depends="$(dpkg-deb --field "$deb" Depends)"
# Computed by dpkg-shlibdeps from the programs' libraries ...
for library in libqt6widgets6 libqt6printsupport6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    [[ "$depends" == *"$library "* ]] || fail "Depends lacks $library: $depends"
done
# ... and named for what is loaded at run time.
for package in qt6-qpa-plugins fonts-ipafont-mincho fonts-ipafont-gothic; do
    [[ "$depends" == *"$package"* ]] || fail "Depends lacks $package: $depends"
done
# The programs are stripped; no file is writable by others.
dpkg-deb --contents "$deb" | awk '$1 ~ /w.$/ {exit 1}' || fail "file writable by others"
echo "package $deb checked"
