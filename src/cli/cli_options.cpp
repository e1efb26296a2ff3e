// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_options.h"

#include "argument_walk.h"
#include "design/bar_table.h"
#include "design/horizontal_check.h"
#include "paper/number_format.h"

namespace haltrix::cli {

namespace {

// A length in mm for the spacing rule: a number above 0.
bool spacingSetting(const std::string& option, const std::string& text, double& mm,
                    std::string& error) {
    const std::optional<double> value = parseNumber(text);
    if (!value || !isValidSpacingSettingMm(*value)) {
        error = option + " には 0 より大きい長さ（mm）を指定してください（「" + text + "」は使えません）";
        return false;
    }
    mm = *value;
    return true;
}

} // namespace

HorizontalChoice sideFaceChoice(const CalcOptions& options, const DesignInputs& inputs) {
    if (!options.hBarGiven && !options.hCountGiven)
        return sideFaceChoiceInForce(std::nullopt, inputs);
    HorizontalChoice choice = inputs.sideFaceChoice;
    if (options.hBarGiven)
        choice.barIndex = options.hBarIndex;
    if (options.hCountGiven)
        choice.barCount = barCountFromText(options.hCountText);
    return sideFaceChoiceInForce(choice, inputs);
}

bool parseCalcOptions(const std::vector<std::string>& args, bool allowPrint, bool allowOutput,
                      CalcOptions& options, std::string& error, bool allowPageOptions,
                      bool allowModelOptions, bool allowCase) {
    bool aggregateGiven = false;
    ArgumentWalk walk(args, error);
    while (walk.next()) {
        const std::string& arg = walk.arg();
        if (walk.isFile()) {
            if (!walk.takeFile(options.files))
                return false;
        } else if (arg == "--hbar") {
            std::string name;
            if (!walk.value(name))
                return false;
            options.hBarIndex = -2;
            options.hBarGiven = true;
            for (int k = 0; k < kBarCount; ++k) {
                if (kBarDesignations[k] == name)
                    options.hBarIndex = k;
            }
            if (options.hBarIndex == -2) {
                error = "--hbar には D10 D13 D16 D19 D22 D25 D29 D32 D35 のどれかを指定してください（「" +
                        name + "」は使えません）";
                return false;
            }
        } else if (arg == "--hcount") {
            if (!walk.value(options.hCountText))
                return false;
            options.hCountGiven = true;
        } else if (allowCase && arg == "--case") {
            if (!walk.value(options.caseText))
                return false;
            if (options.caseText.empty()) {
                error = "--case にはケースの名前か 1 からの番号を指定してください";
                return false;
            }
        } else if (arg == "--max-spacing") {
            std::string text;
            if (!walk.value(text) ||
                !spacingSetting(arg, text, options.spacingRule.maxCentreMm, error))
                return false;
        } else if (arg == "--min-clear" || arg == "--max-aggregate") {
            std::string text;
            double mm = 0;
            if (!walk.value(text) || !spacingSetting(arg, text, mm, error))
                return false;
            if (arg == "--min-clear") {
                options.spacingRule.fixedMm = mm;
            } else {
                options.spacingRule.maxAggregateMm = mm;
                aggregateGiven = true;
            }
        } else if (allowPrint && arg == "--print") {
            options.printVariant = true;
        } else if (allowOutput && (arg == "-o" || arg == "--output")) {
            if (!walk.value(options.output))
                return false;
        } else if (allowPageOptions && arg == "--sketch") {
            options.sketchPage = true;
        } else if (allowPageOptions && arg == "--quantities") {
            options.quantitiesPage = true;
        } else if (allowPageOptions && arg == "--project") {
            if (!walk.value(options.project))
                return false;
        } else if (allowPageOptions && arg == "--member") {
            if (!walk.value(options.member))
                return false;
        } else if (allowPageOptions && arg == "--designer") {
            if (!walk.value(options.designer))
                return false;
        } else if (allowModelOptions && arg == "--schema") {
            if (!walk.value(options.schema))
                return false;
        } else if (allowModelOptions && arg == "--part") {
            if (!walk.value(options.part))
                return false;
        } else if (allowModelOptions && arg == "--anchorage") {
            if (!walk.value(options.anchorage))
                return false;
        } else {
            error = "使えないオプションです: " + arg;
            return false;
        }
    }
    if (aggregateGiven && options.spacingRule.fixedMm) {
        error = "--min-clear と --max-aggregate は一緒には指定できません";
        return false;
    }
    if (options.files.empty()) {
        error = "設計ファイルが指定されていません";
        return false;
    }
    return true;
}

} // namespace haltrix::cli
