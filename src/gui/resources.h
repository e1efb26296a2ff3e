#pragma once

#include <QIcon>

namespace haltrix::gui {

// The program's icon, from the resources compiled into this library.
QIcon programIcon();

} // namespace haltrix::gui
