// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/step_text.h"

#include <charconv>
#include <cstdint>

#include "paper/utf8.h"

namespace haltrix::model {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr char32_t kReplacement = 0xFFFD;

void appendHex(std::string& out, std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += kHex[(value >> shift) & 0xF];
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool readHex(std::string_view text, std::size_t at, int digits, std::uint32_t& value) {
    if (at + digits > text.size())
        return false;
    value = 0;
    for (int k = 0; k < digits; ++k) {
        const char c = text[at + k];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

} // namespace

void appendStepString(std::string& out, std::string_view utf8) {
    out += '\'';
    enum class Run { None, X2, X4 } run = Run::None;
    auto enter = [&](Run wanted) {
        if (run == wanted)
            return;
        if (run != Run::None)
            out += "\\X0\\";
        if (wanted == Run::X2)
            out += "\\X2\\";
        else if (wanted == Run::X4)
            out += "\\X4\\";
        run = wanted;
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        const Utf8Char character = decodeUtf8(utf8, i);
        i += character.length;
        const char32_t code = character.valid ? character.code : kReplacement;
        if (code >= 0x20 && code <= 0x7E) {
            enter(Run::None);
            out += static_cast<char>(code);
            if (code == '\'' || code == '\\')
                out += static_cast<char>(code);
        } else if (code < 0x10000) {
            enter(Run::X2);
            appendHex(out, code, 4);
        } else {
            enter(Run::X4);
            appendHex(out, code, 8);
        }
    }
    enter(Run::None);
    out += '\'';
}

void appendStepReal(std::string& out, double value) {
    if (value == 0.0)
        value = 0.0; // no "-0."
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view text(buffer, error == std::errc() ? end - buffer : 0);
    const std::size_t exponent = text.find('e');
    const std::string_view mantissa = text.substr(0, exponent);
    out += mantissa;
    if (mantissa.find('.') == std::string_view::npos)
        out += '.';
    if (exponent != std::string_view::npos) {
        out += 'E';
        out += text.substr(exponent + 1);
    }
}

std::string decodeStepString(std::string_view body, bool& ok) {
    ok = true;
    std::string text;
    std::size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '\'') {
            if (i + 1 >= body.size() || body[i + 1] != '\'')
                ok = false;
            text += '\'';
            i += 2;
        } else if (c != '\\') {
            text += c;
            ++i;
        } else if (body.substr(i, 2) == "\\\\") {
            text += '\\';
            i += 2;
        } else if (body.substr(i, 4) == "\\X2\\" || body.substr(i, 4) == "\\X4\\") {
            const int digits = body[i + 2] == '2' ? 4 : 8;
            i += 4;
            while (i < body.size() && body[i] != '\\') {
                std::uint32_t unit = 0;
                if (!readHex(body, i, digits, unit)) {
                    ok = false;
                    return text;
                }
                i += digits;
                // A surrogate pair inside \X2\ is taken together.
                if (digits == 4 && unit >= 0xD800 && unit <= 0xDBFF) {
                    std::uint32_t low = 0;
                    if (!readHex(body, i, 4, low) || low < 0xDC00 || low > 0xDFFF) {
                        ok = false;
                        return text;
                    }
                    i += 4;
                    unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(text, unit);
            }
            if (body.substr(i, 4) != "\\X0\\") {
                ok = false;
                return text;
            }
            i += 4;
        } else {
            ok = false;
            return text;
        }
    }
    return text;
}

} // namespace haltrix::model
