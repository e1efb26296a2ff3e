#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace haltrix {

namespace {

enum class Tie { AwayFromZero, ToEven };

// A finite value as its 15 significant digits and a decimal exponent:
// value = 0.d1d2...d15 x 10^(exponent + 1).
struct Decimal {
    bool negative = false;
    std::string digits; // exactly 15 digits
    int exponent = 0;
};

Decimal toDecimal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    Decimal result;
    const char* p = buffer;
    if (*p == '-') {
        result.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            result.digits.push_back(*p);
    }
    if (*p == 'e')
        result.exponent = std::atoi(p + 1);
    return result;
}

// Adds one to a string of decimal digits, growing it when it carries over.
void increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Rounds a finite value to `decimals` places in decimal, so that what the
// user sees as 2.675 is treated as 2.675 and not as its binary neighbour.
// Returns the digits of value x 10^decimals as a whole number, and the sign.
std::string roundedDigits(double value, int decimals, Tie tie, bool& negative) {
    const Decimal dec = toDecimal(value);
    negative = dec.negative;
    if (value == 0.0)
        return "0";
    const int kept = dec.exponent + 1 + decimals; // digits at or above 10^-decimals
    if (kept >= static_cast<int>(dec.digits.size()))
        return dec.digits + std::string(kept - dec.digits.size(), '0');
    if (kept < 0)
        return "0";
    std::string whole = dec.digits.substr(0, kept);
    const std::string rest = dec.digits.substr(kept);
    std::string half(rest.size(), '0');
    half.front() = '5';
    bool up = false;
    if (rest > half) {
        up = true;
    } else if (rest == half) {
        if (tie == Tie::AwayFromZero)
            up = true;
        else
            up = !whole.empty() && ((whole.back() - '0') % 2 == 1);
    }
    if (whole.empty())
        whole.assign(1, '0');
    if (up)
        increment(whole);
    return whole;
}

bool allZero(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

std::string fixedText(double value, int decimals, Tie tie) {
    if (!std::isfinite(value))
        return plainText(value);
    if (decimals < 0)
        decimals = 0;
    bool negative = false;
    std::string digits = roundedDigits(value, decimals, tie, negative);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string text;
    if (negative && !allZero(digits))
        text = "-";
    const std::size_t point = digits.size() - decimals;
    text += digits.substr(0, point);
    if (decimals > 0) {
        text += '.';
        text += digits.substr(point);
    }
    return text;
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

} // namespace

std::string plainText(double value) {
    if (value == 0.0)
        return "0";
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
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
    return std::strtod(text.c_str(), nullptr);
}

double intFloor(double value) {
    return std::floor(value);
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
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int characterCount(std::string_view text) {
    int count = 0;
    for (unsigned char ch : text) {
        if ((ch & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

} // namespace haltrix
