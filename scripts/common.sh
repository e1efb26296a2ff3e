# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run, scripts/test, scripts/bench and scripts/fuzz.
# Installs what is missing from Debian's packages and builds the project.

set -euo pipefail

HALTRIX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Everything the build, the tests and the program need.
HALTRIX_PACKAGES=(
    build-essential cmake pkgconf ccache
    qt6-base-dev qt6-translations-l10n qt6-svg-dev
    libqpdf-dev qpdf
    libqcustomplot-dev libqcustomplot2.1-qt6
    fonts-ipafont-mincho fonts-ipafont-gothic
    poppler-utils python3-ezdxf
    xvfb xauth
    clang libclang-rt-14-dev
    libbenchmark-dev
    libxlsxwriter-dev
    g++-mingw-w64-x86-64-posix wine64
    dpkg-dev desktop-file-utils appstream shared-mime-info libxml2-utils
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# Installs the packages that are not installed yet; does nothing when all are.
install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# build_tree DIR [cmake options...]: configures (once) and builds DIR, through
# ccache when it is installed (so a CI run with its cache kept rebuilds little).
# The CMake options that put ccache before the compilers, when it is installed.
ccache_options() {
    if command -v ccache > /dev/null; then
        echo -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    fi
}

build_tree() {
    local dir="$1"
    shift
    # shellcheck disable=SC2046 # two options or none
    cmake -S "$HALTRIX_ROOT" -B "$dir" $(ccache_options) "$@" &&
        cmake --build "$dir" --parallel "$(nproc)"
}
