# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/windows-deps, scripts/package-windows and
# scripts/test-windows: where the Windows build of Qt is cached, the
# cross-compilers and the Wine set-up.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# What the Windows build needs beyond the Linux one: the MinGW-w64
# cross-compilers, Ninja, Wine, the installer maker, the Japanese catalogue of
# Qt's own dialogs, the tools that fetch and unpack Debian source packages,
# and what test-windows drives and looks at the real window with.
WINDOWS_PACKAGES=(
    g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 ninja-build nsis
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqcustomplot-dev
    dpkg-dev xz-utils zip unzip xvfb xauth xdotool imagemagick poppler-utils
    fonts-ipafont-mincho fonts-ipafont-gothic
)

WINDOWS_TRIPLE=x86_64-w64-mingw32
WINDOWS_GCC_RUNTIME=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
WINDOWS_SYSROOT=/usr/x86_64-w64-mingw32

# The source versions of the host Qt and QCustomPlot; the cache is keyed by
# them and by the cross-compiler, so an upgrade of any of them builds anew.
windows_qt_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev
}
windows_qcustomplot_version() {
    dpkg-query -W -f='${source:Version}' libqcustomplot-dev
}
windows_compiler_version() {
    dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix
}

windows_cache_root() {
    echo "${HALTRIX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/haltrix/windows}"
}

# The folder that holds (or will hold) Qt and QCustomPlot built for Windows.
windows_qt_prefix() {
    local key
    key="qt-$(windows_qt_version)_qcp-$(windows_qcustomplot_version)_gcc-$(windows_compiler_version)"
    echo "$(windows_cache_root)/${key//[^A-Za-z0-9._-]/_}"
}

windows_qt_cached() {
    [ -f "$(windows_qt_prefix)/.complete" ]
}

# libxlsxwriter built for Windows (the workbook writer), cached beside Qt
# and keyed the same way: its source version and the cross-compiler's.
windows_xlsxwriter_version() {
    dpkg-query -W -f='${source:Version}' libxlsxwriter-dev
}
windows_xlsxwriter_prefix() {
    local key
    key="xlsxwriter-$(windows_xlsxwriter_version)_gcc-$(windows_compiler_version)"
    echo "$(windows_cache_root)/${key//[^A-Za-z0-9._-]/_}"
}

# A private Wine prefix under DIR with the IPA fonts visible, so Japanese
# text renders there as it does on Linux. Exports what wine64 needs.
windows_wine_setup() {
    local dir="$1"
    WINE="$(command -v wine64 || echo /usr/lib/wine/wine64)"
    WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
    export WINEPREFIX="$dir/wine-prefix"
    export WINEDEBUG=-all
    # No Mono or Gecko: nothing here needs them, and their installers would ask.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
        mkdir -p "$dir"
        "$WINE" wineboot --init > /dev/null 2>&1 || true
        "$WINESERVER" -w
    fi
    # A program that crashes leaves its backtrace on stderr instead of a
    # dialog that waits for a click nobody gives.
    if [ ! -f "$WINEPREFIX/.no-crash-dialog" ]; then
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            > /dev/null 2>&1 && touch "$WINEPREFIX/.no-crash-dialog"
        "$WINESERVER" -w
    fi
    local font
    for font in /usr/share/fonts/opentype/ipafont-mincho/ipam.ttf \
        /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
        /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf \
        /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf; do
        if [ -f "$font" ]; then
            cp -f "$(readlink -f "$font")" "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$font")"
        fi
    done
}

# windows_build_tree DIR [cmake options...]: configures (once) and builds DIR
# for Windows against the cached Qt.
windows_build_tree() {
    local dir="$1"
    shift
    local prefix
    prefix="$(windows_qt_prefix)"
    cmake -S "$HALTRIX_ROOT" -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DHALTRIX_XLSXWRITER_ROOT="$(windows_xlsxwriter_prefix)" \
        -DCMAKE_BUILD_TYPE=Release "$@"
}
