#include "cli_options.h"

#include "bar_table.h"

namespace haltrix::cli {

bool parseCalcOptions(const std::vector<std::string>& args, bool allowPrint, bool allowOutput,
                      CalcOptions& options, std::string& error, bool allowPageOptions) {
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
        if (onlyFiles || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (arg == "--hbar") {
            std::string name;
            if (!value(name))
                return false;
            options.hBarIndex = -2;
            for (int k = 0; k < kBarCount; ++k) {
                if (kBarDesignations[k] == name)
                    options.hBarIndex = k;
            }
            if (options.hBarIndex == -2) {
                error =
                    "--hbar takes one of D10 D13 D16 D19 D22 D25 D29 D32 D35, not \"" + name + "\"";
                return false;
            }
        } else if (arg == "--hcount") {
            if (!value(options.hCountText))
                return false;
        } else if (allowPrint && arg == "--print") {
            options.printVariant = true;
        } else if (allowOutput && (arg == "-o" || arg == "--output")) {
            if (!value(options.output))
                return false;
        } else if (allowPageOptions && arg == "--sketch") {
            options.sketchPage = true;
        } else if (allowPageOptions && arg == "--project") {
            if (!value(options.project))
                return false;
        } else if (allowPageOptions && arg == "--member") {
            if (!value(options.member))
                return false;
        } else if (allowPageOptions && arg == "--designer") {
            if (!value(options.designer))
                return false;
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (options.files.empty()) {
        error = "no design file given";
        return false;
    }
    return true;
}

} // namespace haltrix::cli
