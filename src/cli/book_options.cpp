// SPDX-License-Identifier: GPL-3.0-or-later
#include "book_options.h"

#include "cli_options.h"

namespace haltrix::cli {

bool parseBookOptions(const std::vector<std::string>& args, BookOptions& options,
                      std::string& error) {
    // The spacing rule is read as every command reads it; the rest here.
    std::vector<std::string> rule;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--title" || arg == "--date") {
            if (!value(text))
                return false;
            (arg == "--title" ? options.title : options.date) = text;
        } else if (arg == "--project") {
            if (!value(options.project))
                return false;
        } else if (arg == "--designer") {
            if (!value(options.designer))
                return false;
        } else if (arg == "--sketch") {
            options.sketches = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!value(options.output))
                return false;
        } else if (arg == "--min-clear" || arg == "--max-aggregate") {
            if (!value(text))
                return false;
            rule.insert(rule.end(), {arg, text});
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (options.files.empty()) {
        error = "no design file given";
        return false;
    }
    if (options.output.empty()) {
        error = "-o BOOK.pdf is required";
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
