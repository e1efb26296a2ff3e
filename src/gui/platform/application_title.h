// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace haltrix::gui {

// The application title used as the caption of every message box and as the
// main window's title.
inline constexpr const char* kApplicationTitle = "Haltrix";

} // namespace haltrix::gui
