// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace haltrix::cli {

// Without a display the offscreen platform still has the fonts, the PDF
// writer and the image writers; a platform chosen by the caller is left
// alone. Call before the application object is made.
void chooseOffscreenWithoutDisplay();

} // namespace haltrix::cli
