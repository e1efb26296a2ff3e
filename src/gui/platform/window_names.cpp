// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window_names.h"

#include "calculation/result_window.h"
#include "forms/input_form.h"

namespace haltrix::gui {

QString inputFormName(UnitSystem twin) {
    return QLatin1String(inputFormProfile(twin).objectName);
}

QString resultWindowName(UnitSystem twin) {
    return QLatin1String(resultWindowProfile(twin).objectName);
}

QString sensitivityWindowName() {
    return QStringLiteral("frmSensitivity");
}

QString bookWindowName() {
    return QStringLiteral("frmBook");
}

} // namespace haltrix::gui
