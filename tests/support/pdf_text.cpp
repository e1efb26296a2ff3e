// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_text.h"
#include "wine_linux_tool.h"

#include <QProcess>
#include <QRegularExpression>

namespace haltrix::test {

namespace {

QByteArray runProcess(const QString& program, const QStringList& arguments, QString& error) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        error = program + " could not be started (poppler-utils missing?)";
        return QByteArray();
    }
    process.waitForFinished(60000);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error = program + " failed: " + QString::fromUtf8(process.readAllStandardError());
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

QString run(const QString& program, const QStringList& arguments, QString& error) {
    QByteArray output;
    QString failure;
    if (!runLinuxToolUnderWine(program, arguments, output, failure))
        output = runProcess(program, arguments, failure);
    if (!failure.isEmpty()) {
        error = failure;
        return QString();
    }
    QString out = QString::fromUtf8(output);
    if (out.isNull())
        out = QStringLiteral("");
    return out;
}

double attribute(const QString& tag, const QString& name) {
    const QRegularExpression re(name + QStringLiteral("=\"([-0-9.]+)\""));
    return re.match(tag).captured(1).toDouble();
}

QString unescapeHtml(QString text) {
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

} // namespace

QString pdfLayoutText(const QString& path, QString& error) {
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                QStringLiteral("-")},
               error);
}

PdfWords pdfWords(const QString& path, QString& error) {
    PdfWords result;
    const QString html = run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-enc"),
                              QStringLiteral("UTF-8"), path, QStringLiteral("-")},
                             error);
    if (html.isNull())
        return result;
    const QRegularExpression tags(QStringLiteral("<page ([^>]*)>|<word ([^>]*)>([^<]*)</word>"));
    auto it = tags.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            result.pageSizes.append(
                QSizeF(attribute(m.captured(1), "width"), attribute(m.captured(1), "height")));
            continue;
        }
        PdfWord word;
        word.page = static_cast<int>(result.pageSizes.size());
        word.text = unescapeHtml(m.captured(3));
        word.xMin = attribute(m.captured(2), "xMin");
        word.yMin = attribute(m.captured(2), "yMin");
        word.xMax = attribute(m.captured(2), "xMax");
        word.yMax = attribute(m.captured(2), "yMax");
        result.words.append(word);
    }
    return result;
}

QString pageText(const PdfWords& words, int page) {
    QString text;
    for (const PdfWord& word : words.words) {
        if (word.page == page)
            text += word.text;
    }
    return text;
}

QString pdfTitle(const QString& path, QString& error) {
    const QString info = run(QStringLiteral("pdfinfo"), {path}, error);
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Title:")))
            return line.mid(6).trimmed();
    }
    return QString();
}

QString pdfFonts(const QString& path, QString& error) {
    return run(QStringLiteral("pdffonts"), {path}, error);
}

QString comparable(const QString& line) {
    QString out;
    for (const QChar c : line) {
        if (c.isSpace())
            continue;
        out.append(c == QChar(0x00B7) ? QChar(0xFF65) : c);
    }
    return out;
}

QString firstMissingInOrder(const QStringList& lines, const QString& text) {
    QStringList textLines;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\n\f]"))))
        textLines.append(comparable(line));
    qsizetype next = 0;
    for (const QString& line : lines) {
        const QString wanted = comparable(line);
        if (wanted.isEmpty())
            continue;
        while (next < textLines.size() && textLines[next] != wanted)
            ++next;
        if (next == textLines.size())
            return line;
        ++next;
    }
    return QString();
}

} // namespace haltrix::test
