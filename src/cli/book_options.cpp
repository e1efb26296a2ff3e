// SPDX-License-Identifier: GPL-3.0-or-later
#include "book_options.h"

#include "argument_walk.h"
#include "cli_options.h"

namespace haltrix::cli {

bool parseBookOptions(const std::vector<std::string>& args, BookOptions& options,
                      std::string& error) {
    // The spacing rule is read as every command reads it; the rest here.
    std::vector<std::string> rule;
    ArgumentWalk walk(args, error);
    while (walk.next()) {
        const std::string& arg = walk.arg();
        std::string text;
        if (walk.isFile()) {
            if (!walk.takeFile(options.files))
                return false;
        } else if (arg == "--title" || arg == "--date") {
            if (!walk.value(text))
                return false;
            (arg == "--title" ? options.title : options.date) = text;
        } else if (arg == "--project") {
            if (!walk.value(options.project))
                return false;
        } else if (arg == "--designer") {
            if (!walk.value(options.designer))
                return false;
        } else if (arg == "--sketch") {
            options.sketches = true;
        } else if (arg == "--quantities") {
            options.quantities = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!walk.value(options.output))
                return false;
        } else if (arg == "--min-clear" || arg == "--max-aggregate" || arg == "--max-spacing") {
            if (!walk.value(text))
                return false;
            rule.insert(rule.end(), {arg, text});
        } else {
            error = "使えないオプションです: " + arg;
            return false;
        }
    }
    if (options.files.empty()) {
        error = "設計ファイルが指定されていません";
        return false;
    }
    if (options.output.empty()) {
        error = "-o BOOK.pdf を指定してください";
        return false;
    }
    // A stand-in file name, so the shared reader sees a complete command.
    rule.push_back("-");
    CalcOptions calc;
    if (!parseCalcOptions(rule, false, false, calc, error))
        return false;
    options.spacingRule = calc.spacingRule;
    return true;
}

} // namespace haltrix::cli
