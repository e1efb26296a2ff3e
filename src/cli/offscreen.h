// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <memory>

namespace haltrix::cli {

// Without a display (X11, Wayland) the offscreen platform still has the fonts,
// the PDF writer and the image writers; a platform chosen by the caller is
// left alone. Windows keeps its own platform, which needs no display and
// whose fonts the offscreen one lacks there. Call before the application
// object is made.
void chooseOffscreenWithoutDisplay();

// Qt's platform layer wants a runtime folder and, when XDG_RUNTIME_DIR is not
// set, says so on standard error, where haltrix-calc writes only its own
// messages. While this lives, such a run has a private folder of its own.
// Make it before the application object.
class RuntimeFolder {
public:
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

} // namespace haltrix::cli
