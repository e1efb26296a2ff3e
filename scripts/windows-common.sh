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

# qpdf built for Windows (the book's outline, links and document
# information), linked statically with libjpeg-turbo built from its Debian
# source and Debian's zlib for MinGW; cached beside Qt, keyed by the three
# source versions and the cross-compiler's.
windows_qpdf_version() {
    dpkg-query -W -f='${source:Version}' libqpdf-dev
}
windows_libjpeg_version() {
    dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev
}
windows_zlib_version() {
    dpkg-query -W -f='${source:Version}' libz-mingw-w64-dev
}
windows_qpdf_prefix() {
    local key
    key="qpdf-$(windows_qpdf_version)_jpeg-$(windows_libjpeg_version)_zlib-$(windows_zlib_version)"
    key="${key}_gcc-$(windows_compiler_version)"
    echo "$(windows_cache_root)/${key//[^A-Za-z0-9._-]/_}"
}

# What every Wine run of the scripts shares: the wine64 loader (Debian 12 has
# no "wine" command), no debug output, no Mono or Gecko (nothing here needs
# them, and their installers would ask) and no menu builder, which would
# write icons and menu entries under ~/.local/share when an installer makes
# shortcuts.
windows_wine_environment() {
    WINE="$(command -v wine64 || echo /usr/lib/wine/wine64)"
    WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# windows_wine_prefix PREFIX: makes (once) and uses the Wine prefix PREFIX,
# kept to itself: the menu builder disabled in its registry as well, and its
# user folders (Desktop, Documents, ...) real folders inside it instead of
# Wine's links into the home folder. A program that crashes leaves its
# backtrace on stderr instead of a dialog that waits for a click nobody
# gives. Exports WINEPREFIX.
windows_wine_prefix() {
    export WINEPREFIX="$1"
    windows_wine_environment
    if [ ! -f "$WINEPREFIX/.haltrix-prefix" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        "$WINE" wineboot --init > /dev/null 2>&1 || true
        "$WINESERVER" -w
        "$WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f \
            > /dev/null 2>&1 &&
            "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                > /dev/null 2>&1 &&
            touch "$WINEPREFIX/.haltrix-prefix"
        "$WINESERVER" -w
    fi
    # Wine makes the links again when it updates a prefix: look every time.
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$link" ]; then
            rm -f "$link"
            mkdir -p "$link"
        fi
    done
}

# True when the prefix's Desktop and Documents are folders inside it and no
# user folder is a link out of it.
windows_wine_prefix_kept_inside() {
    local users="$WINEPREFIX/drive_c/users"
    [ "$(find "$users" -mindepth 2 -maxdepth 2 -type d \( -name Desktop -o -name Documents \) |
        wc -l)" -ge 2 ] && ! find "$users" -mindepth 2 -maxdepth 2 -type l | grep -q .
}

# A private Wine prefix under DIR with the IPA fonts visible, so Japanese
# text renders there as it does on Linux.
windows_wine_setup() {
    local dir="$1"
    windows_wine_prefix "$dir/wine-prefix"
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

# windows_build_tree DIR [cmake options...]: configures DIR for Windows
# against the cached Qt, through ccache when it is installed.
windows_build_tree() {
    local dir="$1"
    shift
    local prefix
    prefix="$(windows_qt_prefix)"
    # shellcheck disable=SC2046 # two options or none
    cmake -S "$HALTRIX_ROOT" -B "$dir" -G Ninja $(ccache_options) \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DHALTRIX_XLSXWRITER_ROOT="$(windows_xlsxwriter_prefix)" \
        -DHALTRIX_QPDF_ROOT="$(windows_qpdf_prefix)" \
        -DCMAKE_BUILD_TYPE=Release "$@"
}
