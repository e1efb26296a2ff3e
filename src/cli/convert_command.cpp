// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert_command.h"

#include <iostream>
#include <optional>

#include "argument_walk.h"
#include "files/design_file.h"
#include "exit_status.h"
#include "same_file.h"
#include "studies/unit_conversion.h"

namespace haltrix::cli {

bool parseConvertOptions(const std::vector<std::string>& args, ConvertOptions& options,
                         std::string& error) {
    std::vector<std::string> files;
    ArgumentWalk walk(args, error);
    while (walk.next()) {
        const std::string& arg = walk.arg();
        std::string text;
        if (walk.isFile()) {
            if (!walk.takeFile(files))
                return false;
        } else if (arg == "--to") {
            if (!walk.value(text))
                return false;
            if (text == "si")
                options.to = kUnitSI;
            else if (text == "gravitational")
                options.to = kUnitGravitational;
            else {
                error = "--to には si か gravitational を指定してください（「" + text + "」は使えません）";
                return false;
            }
        } else if (arg == "--round-stress") {
            if (!walk.value(text))
                return false;
            std::size_t used = 0;
            int digits = 0;
            try {
                digits = std::stoi(text, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != text.size() || text.empty() || digits < 1 || digits > kMaxRoundingDigits) {
                error = "--round-stress には有効数字の桁数を 1 から " +
                        std::to_string(kMaxRoundingDigits) + " までの整数で指定してください（「" +
                        text + "」は使えません）";
                return false;
            }
            options.roundingDigits = digits;
        } else if (arg == "--in-place") {
            options.inPlace = true;
        } else if (arg == "-o" || arg == "--output") {
            if (!walk.value(options.output))
                return false;
        } else {
            error = "使えないオプションです: " + arg;
            return false;
        }
    }
    if (options.to == 0) {
        error = "--to si か --to gravitational を指定してください";
        return false;
    }
    if (files.size() != 1) {
        error = files.empty() ? "設計ファイルが指定されていません" : "設計ファイルは一つだけ指定してください";
        return false;
    }
    options.input = files.front();
    if (options.inPlace && !options.output.empty()) {
        error = "--in-place は IN.tvx そのものを置き換えます。-o は指定しないでください";
        return false;
    }
    if (!options.inPlace && options.output.empty()) {
        error = "-o OUT.tvx を指定してください（IN.tvx を置き換えるときは --in-place）";
        return false;
    }
    if (options.inPlace)
        options.output = options.input;
    return true;
}

int runConvertCommand(const std::vector<std::string>& args) {
    ConvertOptions options;
    std::string error;
    if (!parseConvertOptions(args, options, error)) {
        std::cerr << "haltrix-calc convert: " << error << "\n";
        return kExitUsage;
    }
    if (!options.inPlace && sameFile(options.input, options.output)) {
        std::cerr << "haltrix-calc convert: 「" << options.output
                  << "」は変換する設計ファイルそのものです。別の -o を指定するか、置き換えるときは "
                     "--in-place を指定してください\n";
        return kExitUsage;
    }

    DesignInputs design;
    if (const auto readError = readDesignFile(options.input, design)) {
        std::cerr << "haltrix-calc: " << readError->message() << "\n";
        return kExitUnreadable;
    }
    UnitConversion conversion;
    if (const auto reason =
            convertUnitSystem(design, options.to, options.roundingDigits, conversion)) {
        std::cerr << "haltrix-calc convert: ファイル「" << options.input << "」: " << *reason
                  << "。何も書いていません\n";
        return kExitMessage;
    }
    if (const auto writeError = writeDesignFile(options.output, conversion.design)) {
        std::cerr << "haltrix-calc: " << writeError->message() << "\n";
        return kExitNoOutput;
    }
    std::cout << conversion.description();
    return kExitOk;
}

} // namespace haltrix::cli
