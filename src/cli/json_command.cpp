// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_command.h"

#include <cstdio>
#include <iostream>

#include <QJsonDocument>

#include "calculation.h"
#include "design_json.h"
#include "exit_status.h"

namespace haltrix::cli {

int runJsonCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, false, false, options, error)) {
        std::cerr << "haltrix-calc json: " << error << "\n";
        return kExitUsage;
    }
    return forEachDesignFile(options, [](const CalculatedDesign& design, ExitStatus&) {
        const QByteArray line = QJsonDocument(designJson(design)).toJson(QJsonDocument::Compact);
        std::cout.write(line.constData(), line.size());
        std::cout.put('\n');
    });
}

} // namespace haltrix::cli
