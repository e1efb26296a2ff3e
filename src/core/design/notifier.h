// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace haltrix {

// The first line of the calculation's only message; the second line names
// the input at fault and why (invalidInputMessage).
inline constexpr const char* kInvalidInputMessage = "入力データが不正です";

// kInvalidInputMessage, a line end and `reason`.
inline std::string invalidInputMessage(std::string_view reason) {
    return std::string(kInvalidInputMessage) + "\n" + std::string(reason);
}

// The message on one line, its reason after ": " (a table's cell).
inline std::string messageOnOneLine(std::string_view message) {
    std::string line(message);
    for (std::size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at))
        line.replace(at, 1, ": ");
    return line;
}

// The first line of a message: what the calculation stopped with, without
// its reason.
inline std::string_view messageHeadline(std::string_view message) {
    return message.substr(0, message.find('\n'));
}

// Where the engine's message goes: a modal box in the windows, standard
// error in haltrix-calc, a list in tests.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(std::string_view message) = 0;
};

} // namespace haltrix
