// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace haltrix::gui {

namespace {

// The first family of `wanted` that is installed; all of `wanted` when none
// is, and Qt finds the nearest. One family, not the list: for each family
// asked for after the first, Qt has the system's fonts searched for
// stand-ins as soon as a font is first used, which costs the windows' start
// time for fonts that are never drawn. A character the family lacks is still
// drawn from the system's fallback fonts.
QStringList installed(const QStringList& wanted) {
    const QStringList present = QFontDatabase::families();
    for (const QString& family : wanted) {
        if (present.contains(family, Qt::CaseInsensitive))
            return {family};
    }
    return wanted;
}

QFont fontOf(const QStringList& families, qreal pointSize) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

QFont reportFont(qreal pointSize) {
    static const QStringList families =
        installed({QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho"),
                   QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")});
    return fontOf(families, pointSize);
}

QFont gothicFont(qreal pointSize) {
    static const QStringList families =
        installed({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                   QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
    return fontOf(families, pointSize);
}

QFont proportionalGothicFont(qreal pointSize) {
    static const QStringList families =
        installed({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                   QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    return fontOf(families, pointSize);
}

} // namespace haltrix::gui
