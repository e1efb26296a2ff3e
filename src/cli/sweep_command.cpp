// SPDX-License-Identifier: GPL-3.0-or-later
#include "sweep_command.h"

#include <charconv>
#include <iostream>

#include "argument_walk.h"
#include "design/notifier.h"
#include "files/csv.h"
#include "files/design_file.h"
#include "exit_status.h"
#include "calculation.h"
#include "paper/number_format.h"
#include "output_buffer.h"
#include "studies/sweep.h"

namespace haltrix::cli {

namespace {

std::string parameterNames() {
    std::string names;
    for (const SweepParameter& parameter : kSweepParameters) {
        if (!names.empty())
            names += ' ';
        names += parameter.name;
    }
    return names;
}

} // namespace

bool parseSweepOptions(const std::vector<std::string>& args, SweepOptions& options,
                       std::string& error) {
    std::vector<std::string> files;
    ArgumentWalk walk(args, error);
    while (walk.next()) {
        const std::string& arg = walk.arg();
        std::string text;
        auto value = [&] { return walk.value(text); };
        auto finite = [&](std::optional<double>& out) {
            if (!value())
                return false;
            out = parseNumber(text);
            if (!out)
                error = arg + " には有限の数を「.」の小数で指定してください（「" + text + "」は使えません）";
            return out.has_value();
        };
        if (walk.isFile()) {
            if (!walk.takeFile(files))
                return false;
        } else if (arg == "--param") {
            if (!value())
                return false;
            options.parameter = sweepParameterByName(text);
            if (!options.parameter) {
                error = "--param には " + parameterNames() + " のどれかを指定してください（「" + text +
                        "」は使えません）";
                return false;
            }
        } else if (arg == "--case") {
            if (!value())
                return false;
            if (text.empty()) {
                error = "--case にはケースの名前か 1 からの番号を指定してください";
                return false;
            }
            options.caseText = text;
        } else if (arg == "--from") {
            if (!finite(options.from))
                return false;
        } else if (arg == "--to") {
            if (!finite(options.to))
                return false;
        } else if (arg == "--steps") {
            if (!value())
                return false;
            long steps = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), steps);
            const bool whole = ec == std::errc() && end == text.data() + text.size();
            if (!whole || steps < 1 || steps > kMaxSweepSteps) {
                error = "--steps には 1 から " + std::to_string(kMaxSweepSteps) +
                        " までの整数を指定してください（「" + text + "」は使えません）";
                return false;
            }
            options.steps = steps;
        } else {
            error = "使えないオプションです: " + arg;
            return false;
        }
    }
    if (!options.parameter || !options.from || !options.to || !options.steps) {
        error = "--param、--from、--to、--steps をすべて指定してください";
        return false;
    }
    if (files.size() != 1) {
        error = files.empty() ? "設計ファイルが指定されていません" : "設計ファイルは一つだけ指定してください";
        return false;
    }
    options.file = files.front();
    return true;
}

int runSweepCommand(const std::vector<std::string>& args) {
    SweepOptions options;
    std::string error;
    if (!parseSweepOptions(args, options, error)) {
        std::cerr << "haltrix-calc sweep: " << error << "\n";
        return kExitUsage;
    }
    DesignInputs design;
    if (const auto readError = readDesignFile(options.file, design)) {
        std::cerr << "haltrix-calc: " << readError->message() << "\n";
        return kExitUnreadable;
    }
    // The one-case design of the case swept.
    std::string caseError;
    const std::vector<int> chosen = chosenCases(design, options.caseText, caseError);
    if (chosen.empty()) {
        std::cerr << "haltrix-calc sweep: " << caseError << "\n";
        return kExitUsage;
    }
    design = caseDesign(design, chosen.front());

    OutputBuffer out;
    std::string& text = out.text();
    appendCsvField(text, options.parameter->name);
    text += ",ratioCase,requiredMainArea,providedMainArea,mainJudgement,message\n";
    long stopped = 0;
    std::string firstMessage;
    const SweepRange range{*options.from, *options.to, *options.steps};
    const SweepProblem problem =
        sweepDesign(design, *options.parameter, range, [&](const SweepPoint& point) {
            appendRoundTripText(text, point.value);
            text += ',';
            text += std::to_string(point.ratioCase);
            text += ',';
            appendRoundTripText(text, point.requiredMainArea);
            text += ',';
            appendRoundTripText(text, point.providedMainArea);
            text += ',';
            appendCsvField(text, point.mainJudgement);
            text += ',';
            if (point.message) {
                appendCsvField(text, messageOnOneLine(*point.message));
                if (stopped++ == 0)
                    firstMessage = *point.message;
            }
            text += '\n';
            out.flushIfFull();
        });
    out.flush();
    if (problem != SweepProblem::None) {
        // The options were checked above; this only guards the core's own rule.
        std::cerr << "haltrix-calc sweep: この範囲では計算できません\n";
        return kExitUsage;
    }
    if (stopped > 0) {
        std::cerr << "haltrix-calc: " << options.file << ": " << firstMessage << "（"
                  << range.steps + 1 << " 点のうち " << stopped << " 点）\n";
        return kExitMessage;
    }
    return kExitOk;
}

} // namespace haltrix::cli
