// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace haltrix {

// One character of a UTF-8 text.
struct Utf8Char {
    char32_t code = 0;       // the code point; the byte itself when not valid
    std::size_t length = 1;  // bytes it takes (1 when not valid)
    bool valid = false;      // a well-formed sequence: no overlong form, no
                             // surrogate, nothing beyond U+10FFFF
};

// The character starting at byte `at` (< text.size()) of `text`. A byte that
// does not start a well-formed sequence is a character of its own, not valid.
Utf8Char decodeUtf8(std::string_view text, std::size_t at);

// Whether every character of `text` is a well-formed sequence.
bool isValidUtf8(std::string_view text);

// Whether `byte` continues a UTF-8 sequence (10xxxxxx) rather than starting a
// character.
constexpr bool isUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace haltrix
