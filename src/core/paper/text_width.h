// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace haltrix {

// The report's cell rule: in its dual-width Japanese font, ASCII and the
// half-width katakana take one cell, every other character two.
constexpr bool isHalfWidth(char32_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

// The cells a UTF-8 text takes; a byte that does not start a valid sequence
// takes one.
int displayWidth(std::string_view text);

// `text` with blanks after (padRight) or before (padLeft) it to `width`
// cells; unchanged when it is as wide or wider.
std::string padRight(std::string_view text, int width);
std::string padLeft(std::string_view text, int width);

} // namespace haltrix
