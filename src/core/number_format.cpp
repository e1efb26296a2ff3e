#include "number_format.h"

#include <charconv>
#include <cmath>
#include <limits>

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

// Number texts are made and read with to_chars and from_chars, which always
// use "." whatever C locale the program runs in (a Qt application takes the
// user's locale, where printf and strtod may use a decimal comma).
Decimal toDecimal(double value) {
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
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            result.digits.push_back(text[i]);
    }
    if (i < text.size() && text[i] == 'e') {
        ++i;
        if (i < text.size() && text[i] == '+')
            ++i;
        std::from_chars(text.data() + i, text.data() + text.size(), result.exponent);
    }
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
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, written.ptr);
    for (char& ch : text) {
        if (ch == 'e')
            ch = 'E';
    }
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

int characterCount(std::string_view text) {
    int count = 0;
    for (unsigned char ch : text) {
        if ((ch & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

} // namespace haltrix
