// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/text_width.h"

#include <algorithm>

#include "paper/utf8.h"

namespace haltrix {

int displayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = decodeUtf8(text, i);
        width += !c.valid || isHalfWidth(c.code) ? 1 : 2;
        i += c.length;
    }
    return width;
}

namespace {

std::string blanks(std::string_view text, int width) {
    return std::string(static_cast<std::size_t>(std::max(0, width - displayWidth(text))), ' ');
}

} // namespace

std::string padRight(std::string_view text, int width) {
    return std::string(text) + blanks(text, width);
}

std::string padLeft(std::string_view text, int width) {
    return blanks(text, width) + std::string(text);
}

} // namespace haltrix
