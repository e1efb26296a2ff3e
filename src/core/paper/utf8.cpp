// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/utf8.h"

namespace haltrix {

Utf8Char decodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    const Utf8Char single{lead, 1, false};
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        return single;
    }
    if (at + length > text.size())
        return single;
    for (std::size_t k = 1; k < length; ++k) {
        if (!isUtf8Continuation(byte(at + k)))
            return single;
        code = (code << 6) | (byte(at + k) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return single;
    return {code, length, true};
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = decodeUtf8(text, i);
        if (!c.valid)
            return false;
        i += c.length;
    }
    return true;
}

} // namespace haltrix
