// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "design/notifier.h"

namespace haltrix::testing {

// Collects the engine's messages instead of showing them.
class RecordingNotifier : public Notifier {
public:
    void notify(std::string_view message) override { messages.emplace_back(message); }
    int count() const { return static_cast<int>(messages.size()); }
    std::vector<std::string> messages;
};

} // namespace haltrix::testing
