// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "paper/utf8.h"

namespace haltrix {

namespace {

enum class Tie { AwayFromZero, ToEven };

// A finite value as its 15 significant digits and a decimal exponent:
// value = 0.d1d2...d15 x 10^(exponent + 1).
struct Decimal {
    bool negative = false;
    std::array<char, 15> digits{};
    int exponent = 0;

    std::string_view digitText() const { return {digits.data(), digits.size()}; }
};

// Number texts are made and read with to_chars and from_chars, which always
// use "." whatever C locale the program runs in (a Qt application takes the
// user's locale, where printf and strtod may use a decimal comma).
Decimal toDecimalExact(double value) {
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    Decimal result;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        result.negative = true;
        ++i;
    }
    std::size_t count = 0;
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] >= '0' && text[i] <= '9' && count < result.digits.size())
            result.digits[count++] = text[i];
    }
    if (i < text.size() && text[i] == 'e') {
        ++i;
        if (i < text.size() && text[i] == '+')
            ++i;
        std::from_chars(text.data() + i, text.data() + text.size(), result.exponent);
    }
    return result;
}

// 10^0 ... 10^27, each exact in a long double (5^27 < 2^64).
constexpr std::array<long double, 28> kPowersOfTen = [] {
    std::array<long double, 28> powers{};
    long double power = 1;
    for (long double& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The same digits for the magnitudes that reports and sheets show, without
// the general-purpose conversion: |value| x 10^(14 - exponent) is formed in
// extended precision with one rounding (relative error at most 2^-64, so
// below 0.0001 of a unit in the 15th digit for a product under 10^15) and
// rounded to a whole number. When the discarded part lies within 0.0001 of a
// half, the rounding is left to the exact conversion.
bool toDecimalFast(double value, Decimal& result) {
    // Needs a long double of at least 64 bits of mantissa (x86-64, AArch64);
    // elsewhere every value takes the exact conversion.
    if constexpr (std::numeric_limits<long double>::digits < 64)
        return false;
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-13 && magnitude < 1e15))
        return false;
    // log10(2) x the binary exponent: the decimal exponent or one below it.
    int exponent = static_cast<int>(std::floor(std::ilogb(magnitude) * 0.30102999566398120));
    long double scaled = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = 14 - exponent;
        if (shift < 0 || shift >= static_cast<int>(kPowersOfTen.size()))
            return false;
        scaled = static_cast<long double>(magnitude) * kPowersOfTen[shift];
        if (scaled < 1e14L)
            --exponent;
        else if (scaled >= 1e15L)
            ++exponent;
        else
            break;
    }
    if (scaled < 1e14L || scaled >= 1e15L)
        return false;
    const long double whole = std::floor(scaled);
    const long double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5L) < 1e-4L)
        return false;
    auto digits = static_cast<std::uint64_t>(whole) + (fraction > 0.5L ? 1 : 0);
    if (digits == 1000000000000000ULL) {
        digits = 100000000000000ULL;
        ++exponent;
    }
    result.negative = std::signbit(value);
    result.exponent = exponent;
    for (std::size_t i = result.digits.size(); i-- > 0;) {
        result.digits[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    return true;
}

// A finite value's 15 significant digits, rounded as printf's "%.14e" rounds.
Decimal toDecimal(double value) {
    Decimal result;
    if (toDecimalFast(value, result))
        return result;
    return toDecimalExact(value);
}

// Fixed decimals of a finite value, rounded in decimal on its 15 significant
// digits, so that what the user sees as 2.675 is treated as 2.675 and not as
// its binary neighbour.
std::string fixedText(double value, int decimals, Tie tie) {
    if (!std::isfinite(value))
        return plainText(value);
    if (decimals < 0)
        decimals = 0;
    const Decimal dec = toDecimal(value);
    const std::string_view significant = dec.digitText();

    // The digits of |value| x 10^decimals as a whole number: `kept` of the 15
    // significant digits, then zeros; what is cut off decides the rounding.
    const int kept = value == 0.0 ? 0 : dec.exponent + 1 + decimals;
    std::string digits;
    bool up = false;
    if (kept >= static_cast<int>(significant.size())) {
        digits.reserve(static_cast<std::size_t>(kept) + 1);
        digits.append(significant);
        digits.append(static_cast<std::size_t>(kept) - significant.size(), '0');
    } else if (kept >= 0) {
        digits.assign(significant.substr(0, static_cast<std::size_t>(kept)));
        const std::string_view rest = significant.substr(static_cast<std::size_t>(kept));
        if (value != 0.0 && rest.front() >= '5') {
            const bool half =
                rest.front() == '5' && rest.find_first_not_of('0', 1) == std::string_view::npos;
            if (!half)
                up = true;
            else if (tie == Tie::AwayFromZero)
                up = true;
            else
                up = !digits.empty() && (digits.back() - '0') % 2 == 1;
        }
    }
    if (up) {
        // Add one, carrying into a new leading digit when all are nines.
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    // At least one digit before the point.
    const auto minimum = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < minimum)
        digits.insert(0, minimum - digits.size(), '0');

    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string text;
    text.reserve(digits.size() + 2);
    if (dec.negative && !zero)
        text.push_back('-');
    const std::size_t point = digits.size() - static_cast<std::size_t>(decimals);
    text.append(digits, 0, point);
    if (decimals > 0) {
        text.push_back('.');
        text.append(digits, point, std::string::npos);
    }
    return text;
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

// The largest doubles have the 15-digit plain text 1.79769313486232E+308,
// which lies a little above the largest double itself. A number text out of
// the double range that still rounds to that text at 15 significant digits
// stands for the largest double, so every number that is written reads back.
// Anything further out gives no value. The test runs on the text scaled down
// by 10^10, where it is in range.
std::optional<double> largestDoubleAt15Digits(std::string_view text) {
    std::string scaled;
    const auto mark = text.find_first_of("eE");
    if (mark == std::string_view::npos) {
        scaled = std::string(text) + "e-10";
    } else {
        int exponent = 0;
        const char* first = text.data() + mark + 1;
        const char* last = text.data() + text.size();
        if (first != last && *first == '+')
            ++first;
        const auto [end, error] = std::from_chars(first, last, exponent);
        if (error != std::errc() || end != last || exponent < -100000 || exponent > 100000)
            return std::nullopt;
        scaled = std::string(text.substr(0, mark)) + "e" + std::to_string(exponent - 10);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(scaled.data(), scaled.data() + scaled.size(), value);
    if (error != std::errc() || end != scaled.data() + scaled.size())
        return std::nullopt;
    // 1.797693134862325e298: halfway between the 15-digit texts ...232 and
    // ...233, scaled down like the text.
    constexpr double kLimit = 1.797693134862325e298;
    const double largest = std::numeric_limits<double>::max();
    if (std::fabs(value) < kLimit && std::fabs(value) > largest / 1e10 / 2)
        return std::copysign(largest, value);
    return std::nullopt;
}

} // namespace

std::string plainText(double value) {
    if (value == 0.0)
        return "0";
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    // The general form with 15 significant digits ("%.15G"): fixed notation
    // for decimal exponents -4 to 14, exponent form otherwise; trailing zeros
    // and a trailing point dropped.
    const Decimal dec = toDecimal(value);
    std::string_view digits = dec.digitText();
    while (digits.size() > 1 && digits.back() == '0')
        digits.remove_suffix(1);
    std::string text;
    text.reserve(24);
    if (dec.negative)
        text.push_back('-');
    const int exponent = dec.exponent;
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            text.append("0.");
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text.append(digits);
        } else {
            const auto before = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= before) {
                text.append(digits);
                text.append(before - digits.size(), '0');
            } else {
                text.append(digits.substr(0, before));
                text.push_back('.');
                text.append(digits.substr(before));
            }
        }
        return text;
    }
    text.push_back(digits.front());
    if (digits.size() > 1) {
        text.push_back('.');
        text.append(digits.substr(1));
    }
    text.push_back('E');
    text.push_back(exponent < 0 ? '-' : '+');
    const int size = std::abs(exponent);
    if (size < 10)
        text.push_back('0');
    text.append(std::to_string(size));
    return text;
}

std::string fixedDecimals(double value, int decimals) {
    return fixedText(value, decimals, Tie::AwayFromZero);
}

std::string formatPattern(double value, std::string_view pattern) {
    const auto point = pattern.find('.');
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
    return fixedDecimals(value, decimals);
}

std::string alignRight(std::string_view text, int width) {
    const int count = characterCount(text);
    std::string result;
    if (count < width)
        result.assign(width - count, ' ');
    result += text;
    return result;
}

double roundHalfEven(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    const std::string text = fixedText(value, decimals, Tie::ToEven);
    // The largest doubles round, at 15 significant digits, to a text beyond
    // the double range, which from_chars refuses; no decimal place is left to
    // round there anyway, so the value stays as it is.
    double rounded = value;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

double intFloor(double value) {
    return std::floor(value);
}

std::string halfWidthNumberText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        // Every character mapped here is three bytes long in UTF-8.
        if (i + 2 < text.size()) {
            const unsigned code = (byte(0) == 0xEF && (byte(1) & 0xFC) == 0xBC)
                                      ? 0xF000u | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu)
                                      : 0u;
            char half = 0;
            if (code >= 0xFF10 && code <= 0xFF19)
                half = static_cast<char>('0' + (code - 0xFF10));
            else if (code == 0xFF0E)
                half = '.';
            else if (code == 0xFF0C)
                half = ',';
            else if (code == 0xFF0D)
                half = '-';
            else if (code == 0xFF0B)
                half = '+';
            else if (code == 0xFF45)
                half = 'e';
            else if (code == 0xFF25)
                half = 'E';
            else if (byte(0) == 0xE2 && byte(1) == 0x88 && byte(2) == 0x92) // U+2212 −
                half = '-';
            else if (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) // U+3000
                half = ' ';
            if (half) {
                out.push_back(half);
                i += 3;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-')
            return std::nullopt;
    }
    // from_chars would also take "inf" and "nan"; only digits, sign, point
    // and exponent make a number here.
    for (char ch : text) {
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '.' || ch == '-' || ch == '+' ||
                             ch == 'e' || ch == 'E';
        if (!allowed)
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size())
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return largestDoubleAt15Digits(text);
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string roundTripText(double value) {
    std::string text;
    appendRoundTripText(text, value);
    return text;
}

void appendRoundTripText(std::string& out, double value) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, written.ptr);
}

double roundSignificant(double value, int digits) {
    if (value == 0.0 || !std::isfinite(value) || digits < 1 || digits > 17)
        return value;
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, digits - 1);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

int characterCount(std::string_view text) {
    int count = 0;
    for (unsigned char ch : text) {
        if (!isUtf8Continuation(ch))
            ++count;
    }
    return count;
}

} // namespace haltrix
