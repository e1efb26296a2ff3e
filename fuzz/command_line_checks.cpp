// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line_checks.h"

#include <algorithm>
#include <cmath>

#include "design/bar_table.h"
#include "design/unit_system.h"
#include "book_options.h"
#include "cli_options.h"
#include "convert_command.h"
#include "propose_command.h"
#include "studies/sweep.h"
#include "sweep_command.h"
#include "xlsx_command.h"
#include "studies/unit_conversion.h"

namespace haltrix::checks {

namespace {

using cli::CalcOptions;
using cli::ConvertOptions;
using cli::SweepOptions;

std::vector<std::string> argumentsOf(std::string_view bytes) {
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        args.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return args;
}

bool isArgument(const std::vector<std::string>& args, const std::string& value) {
    return std::find(args.begin(), args.end(), value) != args.end();
}

bool positiveFinite(double value) {
    return std::isfinite(value) && value > 0.0;
}

void checkCalcOptions(const std::vector<std::string>& args, std::vector<std::string>& problems) {
    for (int admits = 0; admits < 8; ++admits) {
        const bool print = admits & 1;
        const bool output = admits & 2;
        const bool page = admits & 4;
        CalcOptions options;
        std::string error;
        if (!cli::parseCalcOptions(args, print, output, options, error, page)) {
            if (error.empty())
                problems.push_back("calc options: refused without a message");
            continue;
        }
        if (options.hBarIndex < -1 || options.hBarIndex >= kBarCount)
            problems.push_back("calc options: bar position outside the list");
        if (!positiveFinite(options.spacingRule.maxAggregateMm) ||
            !positiveFinite(options.spacingRule.maxCentreMm) ||
            (options.spacingRule.fixedMm && !positiveFinite(*options.spacingRule.fixedMm)))
            problems.push_back("calc options: spacing rule not a finite positive length");
        if ((!print && options.printVariant) || (!output && !options.output.empty()) ||
            (!page && (options.sketchPage || options.quantitiesPage || !options.project.empty() || !options.member.empty() ||
                       !options.designer.empty())))
            problems.push_back("calc options: an option the command does not admit was taken");
        for (const std::string& file : options.files) {
            if (!isArgument(args, file))
                problems.push_back("calc options: a design file that is no argument");
        }
    }
}

void checkConvertOptions(const std::vector<std::string>& args, std::vector<std::string>& problems) {
    ConvertOptions options;
    std::string error;
    if (!cli::parseConvertOptions(args, options, error)) {
        if (error.empty())
            problems.push_back("convert options: refused without a message");
        return;
    }
    if (!standardUnitSystem(options.to))
        problems.push_back("convert options: unknown target unit system");
    if (options.roundingDigits < 0 || options.roundingDigits > kMaxRoundingDigits)
        problems.push_back("convert options: rounding digits out of range");
    // An empty name is passed on: reading or writing it fails with a message.
    if (!isArgument(args, options.input) || !isArgument(args, options.output))
        problems.push_back("convert options: input or output that is no argument");
    if (options.inPlace && options.output != options.input)
        problems.push_back("convert options: --in-place writes elsewhere");
}

void checkSweepOptions(const std::vector<std::string>& args, std::vector<std::string>& problems) {
    SweepOptions options;
    std::string error;
    if (!cli::parseSweepOptions(args, options, error)) {
        if (error.empty())
            problems.push_back("sweep options: refused without a message");
        return;
    }
    if (!options.parameter || !options.from || !options.to || !options.steps)
        problems.push_back("sweep options: accepted without every option");
    else if (!std::isfinite(*options.from) || !std::isfinite(*options.to) || *options.steps < 1 ||
             *options.steps > kMaxSweepSteps)
        problems.push_back("sweep options: range outside what a sweep takes");
    if (!isArgument(args, options.file))
        problems.push_back("sweep options: a design file that is no argument");
}

void checkProposeOptions(const std::vector<std::string>& args, std::vector<std::string>& problems) {
    cli::ProposeOptions options;
    std::string error;
    if (!cli::parseProposeOptions(args, options, error)) {
        if (error.empty())
            problems.push_back("propose options: refused without a message");
        return;
    }
    if (options.top < 1 || options.top > cli::kMaxProposeTop)
        problems.push_back("propose options: --top out of range");
    if (options.calc.files.size() != 1 || !isArgument(args, options.calc.files.front()))
        problems.push_back("propose options: not one design file given as an argument");
    // --in-place writes to the design file, whatever its name (an empty one
    // fails when read).
    if (!options.inPlace && options.apply != !options.calc.output.empty())
        problems.push_back("propose options: an output without --apply, or --apply without one");
    if (options.inPlace && (!options.apply || options.calc.files.empty() ||
                            options.calc.output != options.calc.files.front()))
        problems.push_back("propose options: --in-place writes elsewhere");
}

// The workbook's reader: design files and an output as given, and none of
// the options only pdf takes.
void checkXlsxOptions(const std::vector<std::string>& args, std::vector<std::string>& problems) {
    CalcOptions options;
    std::string error;
    if (!cli::parseXlsxOptions(args, options, error)) {
        if (error.empty())
            problems.push_back("xlsx options: refused without a message");
        return;
    }
    if (options.files.empty() || options.output.empty() || !isArgument(args, options.output))
        problems.push_back("xlsx options: accepted without a design file or -o");
    if (options.sketchPage || options.quantitiesPage || !options.member.empty() ||
        options.printVariant)
        problems.push_back("xlsx options: took an option only pdf takes");
    for (const std::string& file : options.files) {
        if (!isArgument(args, file))
            problems.push_back("xlsx options: a design file that is no argument");
    }
}

// The book's reader: a title page and an output as given, at least one
// design file, and the shared spacing rule within its range.
void checkBookOptions(const std::vector<std::string>& args, std::vector<std::string>& problems) {
    cli::BookOptions options;
    std::string error;
    if (!cli::parseBookOptions(args, options, error)) {
        if (error.empty())
            problems.push_back("book options: refused without a message");
        return;
    }
    if (options.files.empty() || options.output.empty())
        problems.push_back("book options: accepted without a design file or -o");
    if (!isArgument(args, options.output) || (options.title && !isArgument(args, *options.title)) ||
        (options.date && !isArgument(args, *options.date)))
        problems.push_back("book options: a value that is no argument");
    for (const std::string& file : options.files) {
        if (!isArgument(args, file))
            problems.push_back("book options: a design file that is no argument");
    }
    if (!positiveFinite(options.spacingRule.maxAggregateMm) ||
        !positiveFinite(options.spacingRule.maxCentreMm) ||
        (options.spacingRule.fixedMm && !positiveFinite(*options.spacingRule.fixedMm)))
        problems.push_back("book options: spacing rule not a finite positive length");
}

} // namespace

std::vector<std::string> checkCommandLine(std::string_view bytes) {
    const std::vector<std::string> args = argumentsOf(bytes);
    std::vector<std::string> problems;
    checkCalcOptions(args, problems);
    checkConvertOptions(args, problems);
    checkProposeOptions(args, problems);
    checkSweepOptions(args, problems);
    checkBookOptions(args, problems);
    checkXlsxOptions(args, problems);
    return problems;
}

} // namespace haltrix::checks
