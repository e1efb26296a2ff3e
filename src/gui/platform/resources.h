// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace haltrix::gui {

// Makes the resources compiled into this library (icon, manual) available;
// any number of calls, the first one registers them.
void registerGuiResources();

// The program's icon, from the resources compiled into this library.
QIcon programIcon();

} // namespace haltrix::gui
