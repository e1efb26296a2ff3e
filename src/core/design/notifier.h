// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace haltrix {

// The calculation's only message.
inline constexpr const char* kInvalidInputMessage = "入力データが不正です";

// Where the engine's message goes: a modal box in the windows, standard
// error in haltrix-calc, a list in tests.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void notify(std::string_view message) = 0;
};

} // namespace haltrix
