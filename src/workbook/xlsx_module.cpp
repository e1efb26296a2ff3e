// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the module haltrix_xlsx: the workbook writer for the windows,
// which load it the first time a workbook is written.
#include "xlsx_writer.h"

#ifdef _WIN32
#define HALTRIX_MODULE_ENTRY extern "C" __declspec(dllexport)
#else
#define HALTRIX_MODULE_ENTRY extern "C" __attribute__((visibility("default")))
#endif

HALTRIX_MODULE_ENTRY haltrix::workbook::WriteXlsx haltrixXlsxWriter() {
    return &haltrix::workbook::writeXlsx;
}
