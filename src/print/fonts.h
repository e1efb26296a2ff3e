// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace haltrix::gui {

// The fonts the windows and the report ask for, by name, each with Japanese
// fallbacks that Debian ships (IPA fonts): a single family name the system
// lacks would silently become a proportional face. The first of the names
// that is installed is taken.

// "ＭＳ 明朝": the report, on the preview and the printer. IPAMincho keeps the
// cell rule: half-width characters one cell, full-width exactly two.
QFont reportFont(qreal pointSize = 9);

// "ＭＳ ゴシック": the result grid FG2 and the forms.
QFont gothicFont(qreal pointSize = 9);

// "ＭＳ Ｐゴシック": the self-weight grid FG1.
QFont proportionalGothicFont(qreal pointSize = 9);

} // namespace haltrix::gui
