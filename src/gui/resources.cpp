#include "resources.h"

// Resources of a static library must be registered by hand, once, from the
// global namespace.
static void registerGuiResources() {
    Q_INIT_RESOURCE(haltrix);
}

namespace haltrix::gui {

QIcon programIcon() {
    static const bool registered = (registerGuiResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/haltrix/haltrix.png"));
}

} // namespace haltrix::gui
