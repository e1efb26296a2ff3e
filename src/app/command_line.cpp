// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdlib>
#include <string>

#include "console_output.h"
#include "haltrix_version.h"

namespace haltrix::app {

namespace {

const char* const kHelp = R"(使い方: haltrix [-h | --help] [-v | --version] [FILE.tvx]

Haltrix は、鉄筋コンクリートのブラケット（張出し梁）の上面鉄筋と側面（水平）
鉄筋を設計します。設計ファイルを指定しないと、空の設計で起動します。

オプション:
  -h, --help, -?   この説明を表示します。
  -v, --version    Haltrix の版を表示します。

引数:
  FILE.tvx         開く設計ファイル（ﾌｧｲﾙ → 開く で開くのと同じです）。
)";

// Shows `text` where the user started the program (on Windows its console,
// or a message box when there is none) and ends the program with `status`.
[[noreturn]] void answer(const std::string& text, int status) {
    cli::showInformation(text, "Haltrix", status != EXIT_SUCCESS);
    std::exit(status);
}

[[noreturn]] void refuse(const QString& reason) {
    answer("haltrix: " + reason.toStdString() + "\n\n" + kHelp, EXIT_FAILURE);
}

struct Parser {
    Parser() {
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(QStringLiteral("FILE.tvx"), QString());
    }

    // Answers --version and --help when they were asked for.
    void answerInformation() const {
        if (parser.isSet(version))
            answer(std::string("haltrix ") + kVersionText + "\n", EXIT_SUCCESS);
        if (parser.isSet(help))
            answer(kHelp, EXIT_SUCCESS);
    }

    QCommandLineParser parser;
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QString()};
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}, QString()};
};

} // namespace

bool asksForInformation(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "--help" || argument == "-?" || argument == "-v" ||
            argument == "--version")
            return true;
    }
    return false;
}

[[noreturn]] void answerInformation(const QCoreApplication& app) {
    // Without the GUI, Qt's own options (-platform ...) are unknown here, so
    // only the request itself counts.
    Parser p;
    p.parser.parse(app.arguments());
    p.answerInformation();
    answer(kHelp, EXIT_SUCCESS);
}

QString designFileFromCommandLine(const QCoreApplication& app) {
    Parser p;
    if (!p.parser.parse(app.arguments())) {
        const QStringList unknown = p.parser.unknownOptionNames();
        refuse(unknown.isEmpty() ? p.parser.errorText()
                                 : QStringLiteral("使えないオプションです: ") + unknown.front());
    }
    p.answerInformation();
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1)
        refuse(QStringLiteral("設計ファイルは一つまでです（%1 個あります）").arg(files.size()));
    if (files.isEmpty())
        return {};
    return QFileInfo(files.front()).absoluteFilePath();
}

} // namespace haltrix::app
