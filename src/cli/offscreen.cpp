// SPDX-License-Identifier: GPL-3.0-or-later
#include "offscreen.h"

#include <QByteArray>
#include <QtGlobal>

namespace haltrix::cli {

void chooseOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace haltrix::cli
