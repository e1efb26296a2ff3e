# SPDX-License-Identifier: GPL-3.0-or-later
# The programs' private modules, loaded the first time they are asked for
# (src/bridge/program_module.h): built in lib/haltrix of the build tree,
# installed in lib/haltrix under the prefix, on Windows beside the programs,
# where Windows finds the Qt and runtime libraries they need.
if(WIN32)
    set(HALTRIX_MODULE_INSTALL_DIR ${HALTRIX_INSTALL_BINDIR})
else()
    set(HALTRIX_MODULE_INSTALL_DIR lib/haltrix)
endif()
set(HALTRIX_MODULE_BUILD_DIR ${CMAKE_BINARY_DIR}/lib/haltrix)
file(RELATIVE_PATH HALTRIX_MODULES_FROM_BINDIR ${CMAKE_INSTALL_PREFIX}/${HALTRIX_INSTALL_BINDIR}
    ${CMAKE_INSTALL_PREFIX}/${HALTRIX_MODULE_INSTALL_DIR})

# Makes `target` (a MODULE library) one of the programs' modules. The
# library that loads it should depend on it, so that it is built with it.
function(haltrix_program_module target)
    set_target_properties(${target} PROPERTIES PREFIX "" AUTOMOC OFF
        LIBRARY_OUTPUT_DIRECTORY ${HALTRIX_MODULE_BUILD_DIR})
    install(TARGETS ${target} LIBRARY DESTINATION ${HALTRIX_MODULE_INSTALL_DIR})
endfunction()
