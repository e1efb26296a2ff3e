// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "notifier.h"

// Collects the engine's messages instead of showing them.
class RecordingNotifier : public haltrix::Notifier {
public:
    void notify(std::string_view message) override { messages.emplace_back(message); }
    std::vector<std::string> messages;
};
