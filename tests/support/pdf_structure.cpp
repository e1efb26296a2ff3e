// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_structure.h"
#include "wine_linux_tool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace haltrix::test {

namespace {

// qpdf writes text strings as "u:TEXT" (or "b:HEX" for bytes).
QString textOf(const QJsonValue& value) {
    const QString text = value.toString();
    return text.startsWith(QStringLiteral("u:")) ? text.mid(2) : text;
}

class Reader {
public:
    explicit Reader(const QJsonObject& document) {
        const QJsonArray qpdf = document.value(QStringLiteral("qpdf")).toArray();
        m_objects = qpdf.at(1).toObject();
        int number = 1;
        for (const QJsonValue& page : document.value(QStringLiteral("pages")).toArray())
            m_pageNumbers.insert(page.toObject().value(QStringLiteral("object")).toString(),
                                 number++);
    }

    // An indirect reference ("12 0 R") followed; anything else as it is.
    QJsonValue resolve(const QJsonValue& value) const {
        const QString text = value.toString();
        if (value.isString() && text.endsWith(QStringLiteral(" R")))
            return m_objects.value(QStringLiteral("obj:") + text)
                .toObject()
                .value(QStringLiteral("value"));
        return value;
    }

    int pageOf(const QJsonValue& destination) const {
        return m_pageNumbers.value(resolve(destination).toArray().at(0).toString(), 0);
    }

    const QMap<QString, int>& pages() const { return m_pageNumbers; }
    const QJsonObject& objects() const { return m_objects; }

private:
    QJsonObject m_objects;
    QMap<QString, int> m_pageNumbers;
};

QList<PdfOutlineEntry> outlineOf(const QJsonArray& entries) {
    QList<PdfOutlineEntry> result;
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        result.append({entry.value(QStringLiteral("title")).toString(),
                       entry.value(QStringLiteral("destpageposfrom1")).toInt(),
                       outlineOf(entry.value(QStringLiteral("kids")).toArray())});
    }
    return result;
}

} // namespace

PdfStructure pdfStructure(const QString& path, QString& error) {
    PdfStructure result;
    // Debian's qpdf command, from the Windows tests under Wine too.
    QByteArray json;
    QString failure;
    const QStringList arguments{QStringLiteral("--json"), path};
    if (!runLinuxToolUnderWine(QStringLiteral("qpdf"), arguments, json, failure)) {
        QProcess process;
        process.start(QStringLiteral("qpdf"), arguments);
        if (!process.waitForStarted(10000) || !process.waitForFinished(60000) ||
            process.exitCode() != 0)
            failure = QString::fromUtf8(process.readAllStandardError());
        json = process.readAllStandardOutput();
    }
    if (!failure.isEmpty() || json.isEmpty()) {
        error = QStringLiteral("qpdf --json failed: ") + failure;
        return result;
    }
    const QJsonObject document = QJsonDocument::fromJson(json).object();
    const Reader reader(document);
    result.outline = outlineOf(document.value(QStringLiteral("outlines")).toArray());

    const QJsonArray pages = document.value(QStringLiteral("pages")).toArray();
    result.pages = static_cast<int>(pages.size());
    for (int index = 0; index < pages.size(); ++index) {
        const QJsonObject page =
            reader.resolve(pages.at(index).toObject().value(QStringLiteral("object"))).toObject();
        result.pageHeights.append(
            page.value(QStringLiteral("/MediaBox")).toArray().at(3).toDouble());
        for (const QJsonValue& annotation :
             reader.resolve(page.value(QStringLiteral("/Annots"))).toArray()) {
            const QJsonObject link = reader.resolve(annotation).toObject();
            if (link.value(QStringLiteral("/Subtype")).toString() != QStringLiteral("/Link"))
                continue;
            const QJsonArray rect = link.value(QStringLiteral("/Rect")).toArray();
            result.links.append({index + 1,
                                 QRectF(QPointF(rect.at(0).toDouble(), rect.at(1).toDouble()),
                                        QPointF(rect.at(2).toDouble(), rect.at(3).toDouble()))
                                     .normalized(),
                                 reader.pageOf(link.value(QStringLiteral("/Dest")))});
        }
    }

    const QJsonObject trailer = reader.objects()
                                    .value(QStringLiteral("trailer"))
                                    .toObject()
                                    .value(QStringLiteral("value"))
                                    .toObject();
    const QJsonObject info = reader.resolve(trailer.value(QStringLiteral("/Info"))).toObject();
    for (auto it = info.begin(); it != info.end(); ++it)
        result.info.insert(it.key(), textOf(it.value()));
    const QJsonObject root = reader.resolve(trailer.value(QStringLiteral("/Root"))).toObject();
    result.language = textOf(root.value(QStringLiteral("/Lang")));
    return result;
}

} // namespace haltrix::test
