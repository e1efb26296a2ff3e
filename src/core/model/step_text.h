// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace haltrix::model {

// The pieces of text an ISO 10303-21 (STEP) exchange file is written in.

// Appends a string literal: quotes around it, a quote doubled, a backslash
// doubled, printable ASCII as it is and everything else (Japanese text,
// control characters) as \X2\hhhh...\X0\ (UTF-16 code units, upper-case
// hex) or, beyond the basic plane, \X4\hhhhhhhh...\X0\. Bytes that are not
// UTF-8 stand for U+FFFD.
void appendStepString(std::string& out, std::string_view utf8);

// Appends a real: the shortest decimal text that reads back as the same
// double, always with a decimal point ("12.", "0.5", "1.5E-05"); -0 is
// written as 0. The caller passes finite numbers only.
void appendStepReal(std::string& out, double value);

// The UTF-8 text a STEP string literal's body stands for (without its
// quotes): the inverse of appendStepString, for checks. Sets `ok` false on a
// malformed escape.
std::string decodeStepString(std::string_view body, bool& ok);

} // namespace haltrix::model
