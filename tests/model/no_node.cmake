# SPDX-License-Identifier: GPL-3.0-or-later
# test_ifc_web_ifc on a machine without node: skipped, unless scripts/test
# requires it.
if(DEFINED ENV{HALTRIX_REQUIRE_WEB_IFC})
    message(FATAL_ERROR "test_ifc_web_ifc: node is required (scripts/test) but not installed")
endif()
message("test_ifc_web_ifc: skipped, node is not installed")
