// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "haltrix_version.h"

namespace haltrix::app {

namespace {

struct Parser {
    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("Haltrix designs the top and side-face reinforcement of a reinforced-"
                           "concrete bracket beam. Without a file it starts with an empty "
                           "design."));
        parser.addHelpOption();
        parser.addOption(version);
        parser.addPositionalArgument(QStringLiteral("FILE.tvx"),
                                     QStringLiteral("Design file to open, as File > Open would."),
                                     QStringLiteral("[FILE.tvx]"));
    }

    // Prints the version and ends the program when it was asked for.
    void answerVersion() const {
        if (!parser.isSet(version))
            return;
        std::printf("haltrix %s\n", kVersionText);
        std::exit(EXIT_SUCCESS);
    }

    QCommandLineParser parser;
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the version of haltrix.")};
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
    p.answerVersion();
    p.parser.showHelp(EXIT_SUCCESS);
}

QString designFileFromCommandLine(const QCoreApplication& app) {
    Parser p;
    // Unknown options and --help end the program here.
    p.parser.process(app);
    p.answerVersion();
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "haltrix: one design file at most, not %d\n\n%s",
                     static_cast<int>(files.size()), qPrintable(p.parser.helpText()));
        std::exit(EXIT_FAILURE);
    }
    if (files.isEmpty())
        return {};
    return QFileInfo(files.front()).absoluteFilePath();
}

} // namespace haltrix::app
