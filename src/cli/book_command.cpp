// SPDX-License-Identifier: GPL-3.0-or-later
#include "book_command.h"

#include <iostream>

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>

#include "paper/book.h"
#include "book_options.h"
#include "book_printer.h"
#include "core_path.h"
#include "exit_status.h"
#include "offscreen.h"
#include "report_printer.h"

namespace haltrix::cli {

int runBookCommand(const std::vector<std::string>& args) {
    BookOptions options;
    std::string error;
    if (!parseBookOptions(args, options, error)) {
        std::cerr << "haltrix-calc book: " << error << "\n";
        return kExitUsage;
    }

    // Every file is read before anything is written: a list with a file that
    // cannot be read is mended first.
    ExitStatus status;
    std::vector<book::BookDesign> designs(options.files.size());
    for (std::size_t i = 0; i < options.files.size(); ++i) {
        const std::string& path = options.files[i];
        const std::string name = QFileInfo(pathFromCore(path)).fileName().toStdString();
        if (const std::optional<FileError> readError =
                book::readBookDesign(path, name, options.spacingRule, designs[i])) {
            std::cerr << "haltrix-calc book: " << readError->message() << "\n";
            status.unreadable();
        } else if (designs[i].results.message) {
            std::cerr << "haltrix-calc book: " << path << ": " << *designs[i].results.message << "\n";
            status.message();
        }
    }
    if (status.code() == kExitUnreadable) {
        std::cerr << "haltrix-calc book: 何も書いていません\n";
        return kExitUnreadable;
    }

    chooseOffscreenWithoutDisplay();
    const RuntimeFolder runtimeFolder;
    int argc = 1;
    char name[] = "haltrix-calc";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    book::BookTitle title;
    if (options.title)
        title.title = *options.title;
    title.project = options.project;
    title.designer = options.designer;
    title.date =
        options.date ? *options.date : print::titleDate(QDate::currentDate()).toStdString();

    const print::BookOutcome outcome =
        print::writeBook(designs, title, options.sketches, pathFromCore(options.output), {},
                         options.quantities);
    if (outcome.status != print::BookOutcome::Status::Written) {
        std::cerr << "haltrix-calc book: 「" << options.output << "」を書けません: "
                  << outcome.failure.toStdString() << "\n";
        return kExitNoOutput;
    }
    if (!outcome.navigation)
        std::cerr << "haltrix-calc book: この版は PDF のしおりとリンクを書けません。「"
                  << options.output << "」にはしおりとリンクがありません\n";
    return status.code();
}

} // namespace haltrix::cli
