# SPDX-License-Identifier: GPL-3.0-or-later
enable_language(RC)
# rcc runs on the build machine; when the Qt built for Windows cannot read
# zstd, it must not compress the resources with it.
if(NOT QT_FEATURE_zstd)
    set(CMAKE_AUTORCC_OPTIONS --no-zstd)
endif()
# haltrix_windows_resources(TARGET DESCRIPTION FILE_NAME): gives a Windows
# program the icon and the version information Explorer shows.
function(haltrix_windows_resources target description file_name)
    set(HALTRIX_WINDOWS_DATA ${PROJECT_SOURCE_DIR}/data/windows)
    set(HALTRIX_FILE_DESCRIPTION ${description})
    set(HALTRIX_FILE_NAME ${file_name})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/data/windows/haltrix.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
