# SPDX-License-Identifier: GPL-3.0-or-later
# Read by CPack once per generator: the zip and the installer get their own
# file names.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME "Haltrix-${CPACK_PACKAGE_VERSION}-win64")
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "Haltrix-${CPACK_PACKAGE_VERSION}-setup")
endif()
