# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows hand-out, built by scripts/package-windows with CPack: a zip of
# a folder that runs as it is (Haltrix-<version>-win64.zip) and an NSIS
# installer (Haltrix-<version>-setup.exe). The install tree is that folder:
# the two programs, the module that writes the book's outline and links
# (src/print), Qt's libraries and plugins, the compiler's runtime, qt.conf
# with Qt's Japanese catalogue, the examples, the licence and a README.

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
install(FILES ${PROJECT_SOURCE_DIR}/data/windows/README.txt
    ${PROJECT_SOURCE_DIR}/data/windows/haltrix.ico DESTINATION .)

# Text files as Windows' editors expect them: CR LF line ends.
function(haltrix_windows_text source destination)
    get_filename_component(name ${source} NAME)
    set(crlf ${CMAKE_BINARY_DIR}/windows-text/${destination}/${name})
    file(READ ${source} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${crlf} "${text}")
    install(FILES ${crlf} DESTINATION ${destination})
endfunction()
haltrix_windows_text(${PROJECT_SOURCE_DIR}/LICENSE .)

# The licences of everything shipped beside the programs, in licenses\ (named
# in README.txt): Qt's (from its Debian source, with the copyright file that
# lists the libraries it bundles: zlib, libjpeg, libpng, HarfBuzz, PCRE2, ...),
# QCustomPlot's, libxlsxwriter's (linked into the programs), qpdf's,
# libjpeg-turbo's and zlib's (linked into the outline module), the compiler's
# runtime (GPL-3 with the GCC Runtime Library Exception) and MinGW-w64's
# (winpthreads).
# The prefix scripts/windows-deps built Qt into: <prefix>/lib/cmake/Qt6.
get_filename_component(qt_prefix "${Qt6_DIR}/../../.." ABSOLUTE)
set(HALTRIX_WINDOWS_LICENSES ${qt_prefix}/share/haltrix/licenses)
if(NOT EXISTS ${HALTRIX_WINDOWS_LICENSES}/qt/LGPL-3.0-only.txt)
    message(FATAL_ERROR "Qt's licence texts are not in ${HALTRIX_WINDOWS_LICENSES}: "
                        "run scripts/windows-deps again")
endif()
file(GLOB qt_licenses ${HALTRIX_WINDOWS_LICENSES}/qt/*)
foreach(license ${qt_licenses})
    # Documentation and commercial terms do not apply to the libraries shipped.
    if(NOT license MATCHES "/(GFDL|LicenseRef-Qt-Commercial)[^/]*$")
        haltrix_windows_text(${license} licenses/qt)
    endif()
endforeach()
file(GLOB qcp_licenses ${HALTRIX_WINDOWS_LICENSES}/qcustomplot/*)
foreach(license ${qcp_licenses})
    haltrix_windows_text(${license} licenses/qcustomplot)
endforeach()
# scripts/windows-deps keeps each library's texts in <prefix>/share/haltrix/
# licenses/<library>/ beside the library it built.
foreach(root ${HALTRIX_XLSXWRITER_ROOT} ${HALTRIX_QPDF_ROOT})
    file(GLOB libraries LIST_DIRECTORIES true ${root}/share/haltrix/licenses/*)
    if(NOT libraries)
        message(FATAL_ERROR "No licence texts in ${root}: run scripts/windows-deps again")
    endif()
    foreach(library ${libraries})
        get_filename_component(name ${library} NAME)
        file(GLOB licenses ${library}/*)
        foreach(license ${licenses})
            haltrix_windows_text(${license} licenses/${name})
        endforeach()
    endforeach()
endforeach()
foreach(license /usr/share/doc/gcc-mingw-w64-base/copyright /usr/share/common-licenses/GPL-3)
    haltrix_windows_text(${license} licenses/gcc-runtime)
endforeach()
haltrix_windows_text(/usr/share/doc/mingw-w64-common/copyright licenses/mingw-w64)

set(CPACK_GENERATOR "ZIP;NSIS")
set(CPACK_PACKAGE_NAME Haltrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Haltrix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Haltrix: design of the reinforcement of reinforced-concrete bracket beams")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# Every program and library stripped, the runtime's and Qt's too (the
# compiler's libstdc++-6.dll is mostly debug sections otherwise).
set(CPACK_STRIP_FILES ON)
if(NOT CMAKE_STRIP)
    message(FATAL_ERROR "No strip program for the Windows binaries was found")
endif()
install(CODE "
    file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.exe\"
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(binary \${binaries})
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\"
            RESULT_VARIABLE stripped)
        if(NOT stripped EQUAL 0)
            message(FATAL_ERROR \"cannot strip \${binary}\")
        endif()
    endforeach()
")
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
# The finish page offers to start the program; GetSize (FileFunc) measures
# the installed folder for the installed programs' list.
set(CPACK_NSIS_DEFINES [=[Target amd64-unicode
  !include \"FileFunc.nsh\"
  !define MUI_FINISHPAGE_RUN_TEXT \"Haltrix を起動する\"]=])
set(CPACK_NSIS_MUI_FINISHPAGE_RUN haltrix.exe)
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
# Explorer to show the new icon at once. The uninstaller's Start-menu entry
# in Japanese instead of CPack's "Uninstall"; the uninstall entry's flags as
# numbers (CPack writes them as text) and the installed size in KiB.
# CPack writes these into its configuration as quoted CMake strings, so
# every backslash and quote of the NSIS commands is escaped once more here.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  SetShellVarContext all
  WriteRegStr HKLM \"Software\\Classes\\.tvx\" \"\" \"Haltrix.Design\"
  WriteRegStr HKLM \"Software\\Classes\\Haltrix.Design\" \"\" \"Haltrix 設計ファイル\"
  WriteRegStr HKLM \"Software\\Classes\\Haltrix.Design\\DefaultIcon\" \"\" \"$INSTDIR\\haltrix.exe,0\"
  WriteRegStr HKLM \"Software\\Classes\\Haltrix.Design\\shell\\open\\command\" \"\" '\"$INSTDIR\\haltrix.exe\" \"%1\"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  Delete \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Uninstall.lnk\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Haltrix のアンインストール.lnk\" \"$INSTDIR\\Uninstall.exe\"
  WriteRegDWORD HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Haltrix\" \"NoModify\" 1
  WriteRegDWORD HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Haltrix\" \"NoRepair\" 1
  \${GetSize} \"$INSTDIR\" \"/S=0K\" $0 $1 $2
  WriteRegDWORD HKLM \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Haltrix\" \"EstimatedSize\" \"$0\"
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  SetShellVarContext all
  Delete \"$SMPROGRAMS\\$START_MENU\\Haltrix のアンインストール.lnk\"
  ReadRegStr $0 HKLM \"Software\\Classes\\.tvx\" \"\"
  StrCmp $0 \"Haltrix.Design\" 0 +2
    DeleteRegKey HKLM \"Software\\Classes\\.tvx\"
  DeleteRegKey HKLM \"Software\\Classes\\Haltrix.Design\"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=])

include(CPack)
