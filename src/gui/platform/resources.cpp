// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/resources.h"

// Resources of a static library must be registered by hand, once, from the
// global namespace.
static void initGuiResources() {
    Q_INIT_RESOURCE(haltrix);
}

namespace haltrix::gui {

void registerGuiResources() {
    static const bool registered = (initGuiResources(), true);
    (void)registered;
}

QIcon programIcon() {
    registerGuiResources();
    return QIcon(QStringLiteral(":/haltrix/haltrix.png"));
}

} // namespace haltrix::gui
