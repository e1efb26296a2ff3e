// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: haltrix-calc's option readers over any arguments.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "command_line_checks.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    haltrix::checks::failOn(haltrix::checks::checkCommandLine(bytes));
    return 0;
}
