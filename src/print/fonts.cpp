// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QStringList>

namespace haltrix::gui {

namespace {

QFont fontOf(const QStringList& families, qreal pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

QFont reportFont(qreal pointSize) {
    return fontOf({QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"),
                   QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")},
                  pointSize);
}

QFont gothicFont(qreal pointSize) {
    return fontOf({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                   QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")},
                  pointSize);
}

QFont proportionalGothicFont(qreal pointSize) {
    return fontOf({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                   QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")},
                  pointSize);
}

} // namespace haltrix::gui
