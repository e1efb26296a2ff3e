# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by scripts/package with CPack:
# build-package/haltrix_<version>_amd64.deb. Its library dependencies are
# computed by dpkg-shlibdeps; what the program needs besides its libraries
# (the Qt platform plugins, the report's fonts) is named here.

# Installing and packaging take the programs as built; they never start a
# build of everything themselves (scripts/package builds first).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME haltrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Haltrix developers")
set(CPACK_PACKAGE_CONTACT ${HALTRIX_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "design of the reinforcement of reinforced-concrete bracket beams")
set(CPACK_PACKAGE_DESCRIPTION
    "Haltrix designs the top and side-face reinforcement of a short\n\
reinforced-concrete bracket beam that projects from a pier or abutment and\n\
carries a bridge bearing. It computes the self-weight, the required steel\n\
areas and a judgement of the chosen bars, in gravitational or SI units,\n\
shows them as a calculation sheet and prints a calculation report. The\n\
interface is Japanese. haltrix-calc computes the same from the command line.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugin (xcb, wayland) at run time; the report is set
# in IPA Mincho, the windows in IPA Gothic.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-mincho, fonts-ipafont-gothic")
# Japanese captions of Qt's own dialogs (file, print, message box buttons).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Directories that every Debian system owns are not the package's own.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
