// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace haltrix {

// Every number the program shows, stores or prints is turned into text here.

// The plain text of a number: shortest general decimal form with at most 15
// significant digits, no grouping, no trailing zeros, "0" before the point of
// a proper fraction, exponent form ("1E+20", "1E-07") only for very large or
// very small magnitudes. Negative zero is written "0".
std::string plainText(double value);

// Fixed decimals as the patterns "0.000", "0.00", "0.0" and "0" give them:
// at least one digit before the point, exactly `decimals` after it, a leading
// "-" for negatives, no grouping, "." as the point. A half in the last place
// (judged on the value's 15 significant digits) rounds away from zero; a
// value that rounds to zero carries no sign.
std::string fixedDecimals(double value, int decimals);

// The same, by pattern: "0.000", "0.00", "0.0" or "0".
std::string formatPattern(double value, std::string_view pattern);

// Right-aligns text in a field of `width` characters by blanks on the left,
// as an "@@@" mask does; a longer text is returned whole. Characters are
// counted as UTF-8 code points.
std::string alignRight(std::string_view text, int width);

// Round(x, n): x rounded to n decimals, a tie (an exact half in the last place
// of the value's 15 significant digits) going to the even neighbour.
double roundHalfEven(double value, int decimals);

// Int(x): the largest whole number not greater than x.
double intFloor(double value);

// Reads a number written with "." as the decimal point, with blanks (space,
// tab) allowed around it. Empty text, other characters, values out of the
// double range, infinities and NaN give no value.
std::optional<double> parseNumber(std::string_view text);

// A number as typed with a Japanese input method on: the full-width digits
// "０"-"９", "．", "，", "－" (and the minus sign "−"), "＋", "ｅ"/"Ｅ" and the
// ideographic space become their half-width forms; everything else stays.
std::string halfWidthNumberText(std::string_view text);

// The shortest text that reads back (by parseNumber) as exactly the same
// double: "0.7", "4.146825396825397", "1e+20". Tables and JSON use it, so a
// number goes out and comes back unchanged. Negative zero is "-0".
std::string roundTripText(double value);
void appendRoundTripText(std::string& out, double value);

// The value rounded in decimal to `digits` significant digits (1 to 17), a
// tie of the exact binary value going to the even neighbour. Zero, and
// values that are not finite, come back unchanged.
double roundSignificant(double value, int digits);

// What a window shows in place of a number too wide for its cell or label,
// rather than a cut number that reads as another value.
inline constexpr const char* kOverflowMark = "###";

// Number of UTF-8 code points in a text.
int characterCount(std::string_view text);

} // namespace haltrix
