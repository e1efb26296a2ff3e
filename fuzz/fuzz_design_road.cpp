// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the whole road of a design file, from reading to every
// text the program shows, prints and writes for it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "design_checks.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    haltrix::checks::failOn(haltrix::checks::checkDesignRoad(bytes));
    return 0;
}
