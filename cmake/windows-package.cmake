# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows hand-out, built by scripts/package-windows with CPack: a zip of
# a folder that runs as it is (Haltrix-<version>-win64.zip) and an NSIS
# installer (Haltrix-<version>-setup.exe). The install tree is that folder:
# the two programs, Qt's libraries and plugins, the compiler's runtime,
# qt.conf with Qt's Japanese catalogue, the examples, the licence and a
# README.

set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# Qt's part, as windeployqt would copy it: the libraries the programs link,
# the platform plugin (without it nothing starts) and the Windows styles.
# PNG, the only image format the program reads, is built into Qt Gui.
find_package(QCustomPlotQt6 REQUIRED)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport
    QCustomPlotQt6::QCustomPlotQt6 RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
if(TARGET Qt6::QModernWindowsStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QModernWindowsStylePlugin> DESTINATION styles)
elseif(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
endif()

# The compiler's runtime, which Qt's libraries and the programs share.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "The compiler's runtime ${runtime} was not found")
    endif()
    get_filename_component(runtime_path "${runtime_path}" REALPATH)
    install(FILES ${runtime_path} DESTINATION .)
endforeach()

# Qt's own dialogs in Japanese: qt.conf points Qt at translations/ beside
# the programs (and at the plugins' folders there).
set(HALTRIX_QT_CATALOGUE "/usr/share/qt6/translations/qtbase_ja.qm" CACHE FILEPATH
    "Qt's Japanese catalogue (qtbase_ja.qm) shipped with the Windows programs")
if(NOT EXISTS ${HALTRIX_QT_CATALOGUE})
    message(FATAL_ERROR "Qt's Japanese catalogue was not found at ${HALTRIX_QT_CATALOGUE}")
endif()
install(FILES ${HALTRIX_QT_CATALOGUE} DESTINATION translations)
install(FILES ${PROJECT_SOURCE_DIR}/data/windows/qt.conf DESTINATION .)

install(FILES ${PROJECT_SOURCE_DIR}/examples/bracket-gravitational.tvx
    ${PROJECT_SOURCE_DIR}/examples/bracket-si.tvx DESTINATION examples)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/data/windows/README.txt
    ${PROJECT_SOURCE_DIR}/data/windows/haltrix.ico DESTINATION .)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME Haltrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Haltrix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Haltrix: design of the reinforcement of reinforced-concrete bracket beams")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# Each generator names its file (set in windows-cpack-options.cmake).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/windows-cpack-options.cmake)

# The installer: for all users under Program Files, a Start-menu entry,
# the .tvx file type and an entry in the installed programs' list; its
# uninstaller removes them again.
set(CPACK_PACKAGE_INSTALL_DIRECTORY Haltrix)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Haltrix)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer for a 64-bit program: it writes the 64-bit registry and
# Program Files without redirection, and runs where only 64-bit Windows
# programs can (Wine without its 32-bit part).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_PACKAGE_NAME Haltrix)
set(CPACK_NSIS_DISPLAY_NAME Haltrix)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/windows/haltrix.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/windows/haltrix.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME haltrix.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES haltrix Haltrix)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_IGNORE_LICENSE_PAGE OFF)
# The design file type under its own ProgID; .tvx is taken back on
# uninstall only while it still names Haltrix. SHChangeNotify tells
# Explorer to show the new icon at once.
# CPack writes these into its configuration as quoted CMake strings, so
# every backslash and quote of the NSIS commands is escaped once more here.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  SetShellVarContext all
  WriteRegStr HKLM \"Software\\Classes\\.tvx\" \"\" \"Haltrix.Design\"
  WriteRegStr HKLM \"Software\\Classes\\Haltrix.Design\" \"\" \"Haltrix design\"
  WriteRegStr HKLM \"Software\\Classes\\Haltrix.Design\\DefaultIcon\" \"\" \"$INSTDIR\\haltrix.exe,0\"
  WriteRegStr HKLM \"Software\\Classes\\Haltrix.Design\\shell\\open\\command\" \"\" '\"$INSTDIR\\haltrix.exe\" \"%1\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  SetShellVarContext all
  ReadRegStr $0 HKLM \"Software\\Classes\\.tvx\" \"\"
  StrCmp $0 \"Haltrix.Design\" 0 +2
    DeleteRegKey HKLM \"Software\\Classes\\.tvx\"
  DeleteRegKey HKLM \"Software\\Classes\\Haltrix.Design\"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])

include(CPack)
