// SPDX-License-Identifier: GPL-3.0-or-later
#include "offscreen.h"

#include <QByteArray>
#include <QFile>
#include <QtGlobal>

namespace haltrix::cli {

void chooseOffscreenWithoutDisplay() {
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

RuntimeFolder::RuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    // A temporary folder is made readable by its owner only, as the runtime
    // folder must be.
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        return; // Qt then falls back on its own default, with its warning
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    m_folder = std::move(folder);
}

RuntimeFolder::~RuntimeFolder() {
    if (m_folder)
        qunsetenv("XDG_RUNTIME_DIR");
}

} // namespace haltrix::cli
