// SPDX-License-Identifier: GPL-3.0-or-later
#include "propose_command.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <algorithm>
#include <iostream>
#include <sstream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "studies/bar_proposal.h"
#include "core_path.h"
#include "design/design_calculation.h"
#include "files/design_file.h"
#include "files/design_file_bars.h"
#include "exit_status.h"
#include "files/file_path.h"
#include "files/file_replace.h"
#include "design/horizontal_check.h"
#include "design/load_cases.h"
#include "studies/proposal_text.h"
#include "same_file.h"

namespace haltrix::cli {

namespace {

bool parseTop(const std::string& text, int& top, std::string& error) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > kMaxProposeTop) {
        error = "--top には 1 から " + std::to_string(kMaxProposeTop) +
                " までの整数を指定してください（「" + text + "」は使えません）";
        return false;
    }
    top = value;
    return true;
}

QJsonObject proposalJson(const std::string& path, const BarProposal& proposal) {
    QJsonArray candidates;
    for (const ProposedArrangement& c : proposal.candidates) {
        QJsonObject o;
        o["layer1Bar"] = QString::fromStdString(c.bars.layer1Bar);
        o["layer1Count"] = c.bars.layer1Count;
        o["layer2Bar"] = QString::fromStdString(c.bars.layer2Bar);
        o["layer2Count"] = c.bars.layer2Count;
        o["providedMainArea"] = c.providedArea;
        o["requiredMainArea"] = c.requiredArea;
        o["minClearMm"] = c.minClearMm;
        candidates.append(o);
    }
    QJsonObject object;
    object["file"] = pathFromCore(path);
    object["requiredMainArea"] = proposal.candidates.empty()
                                     ? QJsonValue()
                                     : QJsonValue(proposal.candidates.front().requiredArea);
    object["candidates"] = candidates;
    object["message"] =
        proposal.candidates.empty()
            ? QJsonValue(QString::fromStdString(proposalReasonText(proposal.reason)))
            : QJsonValue();
    return object;
}

void writeOut(const std::string& text) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// The list as tab-separated lines: the captions, then one line per
// candidate with its rank in front, then the side-face bars for the first.
std::string proposalText(const DesignInputs& design, const BarProposal& proposal,
                         const HorizontalChoice& choice) {
    auto line = [](const std::string& first, const std::vector<std::string>& cells) {
        std::string text = first;
        for (const std::string& cell : cells)
            text += "\t" + cell;
        return text + "\n";
    };
    std::string text = line("順位", proposalColumnCaptions(design.unitSystem));
    for (std::size_t i = 0; i < proposal.candidates.size(); ++i)
        text += line(std::to_string(i + 1), proposalRowCells(proposal.candidates[i]));
    // The side-face bar that meets the check in every case: the bars of the
    // list rise in area, so the latest of the cases' choices.
    std::optional<int> sideBar;
    for (int c = 0; c < caseCount(design); ++c) {
        DesignInputs best = caseDesign(design, c);
        applyArrangement(best, proposal.candidates.front().bars);
        const DesignResults results = calculateDesign(best, choice);
        const std::optional<int> bar = proposeSideFaceBar(best, results, choice.barCount);
        if (!bar) {
            sideBar.reset();
            break;
        }
        sideBar = std::max(sideBar.value_or(*bar), *bar);
    }
    return text + sideFaceText(sideBar, choice.barCount) + "\n";
}

std::optional<std::string> fileBytes(const std::string& path) {
    std::ifstream in(filesystemPath(path), std::ios::binary);
    std::ostringstream bytes;
    if (!(in && bytes << in.rdbuf()))
        return std::nullopt;
    return bytes.str();
}

// Writes the design with the proposal's bars; returns the exit status.
int applyProposal(const ProposeOptions& options, const BarProposal& proposal) {
    const std::string& input = options.calc.files.front();
    const std::optional<std::string> bytes = fileBytes(input);
    std::string changed;
    std::optional<FileError> error =
        bytes ? designTextWithBars(*bytes, input, proposal.candidates.front().bars, changed)
              : FileError{input, 0, "読めません"};
    if (error) {
        std::cerr << "haltrix-calc: " << error->message() << "\n";
        return kExitUnreadable;
    }
    if (auto reason = replaceFile(filesystemPath(options.calc.output), changed)) {
        std::cerr << "haltrix-calc: " << FileError{options.calc.output, 0, *reason}.message()
                  << "\n";
        return kExitNoOutput;
    }
    if (!options.json)
        writeOut(options.calc.output + ": " + arrangementText(proposal.candidates.front().bars) +
                 " を書き込みました\n");
    return kExitOk;
}

} // namespace

bool parseProposeOptions(const std::vector<std::string>& args, ProposeOptions& options,
                         std::string& error) {
    std::vector<std::string> rest;
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyFiles) {
            rest.push_back(arg);
        } else if (arg == "--top") {
            if (i + 1 >= args.size()) {
                error = "--top には値を指定してください";
                return false;
            }
            if (!parseTop(args[++i], options.top, error))
                return false;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--apply") {
            options.apply = true;
        } else if (arg == "--in-place") {
            options.inPlace = true;
        } else {
            onlyFiles = arg == "--";
            rest.push_back(arg);
        }
    }
    if (!parseCalcOptions(rest, false, true, options.calc, error))
        return false;
    if (options.calc.files.size() != 1) {
        error = "設計ファイルは一つだけ指定してください";
        return false;
    }
    const bool output = !options.calc.output.empty();
    if (!options.apply && (output || options.inPlace)) {
        error = std::string(output ? "-o" : "--in-place") + " は --apply と一緒に指定してください";
        return false;
    }
    if (options.apply && output == options.inPlace) {
        error = output ? "--in-place は FILE.tvx そのものを置き換えます。-o は指定しないでください"
                       : "--apply には -o OUT.tvx を指定してください（FILE.tvx を置き換えるときは "
                         "--in-place）";
        return false;
    }
    if (options.inPlace)
        options.calc.output = options.calc.files.front();
    return true;
}

int runProposeCommand(const std::vector<std::string>& args) {
    ProposeOptions options;
    std::string error;
    if (!parseProposeOptions(args, options, error)) {
        std::cerr << "haltrix-calc propose: " << error << "\n";
        return kExitUsage;
    }
    const std::string& input = options.calc.files.front();
    if (options.apply && !options.inPlace && sameFile(input, options.calc.output)) {
        std::cerr << "haltrix-calc propose: 「" << options.calc.output
                  << "」は設計ファイルそのものです。別の -o を指定するか、置き換えるときは "
                     "--in-place を指定してください\n";
        return kExitUsage;
    }
    DesignInputs design;
    if (const auto readError = readDesignFile(input, design)) {
        std::cerr << "haltrix-calc: " << readError->message() << "\n";
        return kExitUnreadable;
    }
    const HorizontalChoice choice = sideFaceChoice(options.calc, design);
    const BarProposal proposal =
        proposeBars(design, options.calc.spacingRule, options.top, choice);
    if (options.json) {
        const QByteArray line =
            QJsonDocument(proposalJson(input, proposal)).toJson(QJsonDocument::Compact);
        writeOut(line.toStdString() + "\n");
    } else if (!proposal.candidates.empty()) {
        writeOut(proposalText(design, proposal, choice));
    }
    if (proposal.candidates.empty()) {
        std::cerr << "haltrix-calc: " << input << ": " << proposalReasonText(proposal.reason)
                  << "\n";
        return kExitMessage;
    }
    std::cout.flush();
    return options.apply ? applyProposal(options, proposal) : kExitOk;
}

} // namespace haltrix::cli
