// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch_command.h"

#include <iostream>
#include <optional>

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QString>

#include "calculation.h"
#include "core_path.h"
#include "exit_status.h"
#include "offscreen.h"
#include "sketch/sketch_dxf.h"
#include "sketch_export.h"

namespace haltrix::cli {

namespace {

using Format = print::SketchFormat;

// The command's formats: PDF is the windows' alone.
Format formatOf(const std::string& path) {
    const Format format = print::sketchFormatOf(pathFromCore(path));
    return format == Format::Pdf ? Format::Unknown : format;
}

} // namespace

int runSketchCommand(const std::vector<std::string>& args) {
    CalcOptions options;
    std::string error;
    if (!parseCalcOptions(args, false, true, options, error)) {
        std::cerr << "haltrix-calc sketch: " << error << "\n";
        return kExitUsage;
    }
    if (options.files.size() != 1) {
        std::cerr << "haltrix-calc sketch: 設計ファイルは一つだけ指定してください\n";
        return kExitUsage;
    }
    if (options.output.empty()) {
        std::cerr << "haltrix-calc sketch: -o OUT.svg、OUT.png、OUT.dxf のどれかを指定してください\n";
        return kExitUsage;
    }
    const Format format = formatOf(options.output);
    if (format == Format::Unknown) {
        std::cerr << "haltrix-calc sketch: 出力のファイル名は .svg、.png、.dxf のどれかで終わるように"
                     "してください（「"
                  << options.output << "」は使えません）\n";
        return kExitUsage;
    }

    ExitStatus status;
    const CalculatedDesign design = calculateDesignFile(options.files.front(), options);
    if (!reportProblems(design, status))
        return status.code();
    const sketch::Sketch sketch = designSketch(design);

    // Fonts and image writers need an application object; the DXF does not.
    int argc = 1;
    char name[] = "haltrix-calc";
    char* argv[] = {name, nullptr};
    std::optional<RuntimeFolder> runtimeFolder;
    std::optional<QGuiApplication> application;
    if (format != Format::Dxf) {
        chooseOffscreenWithoutDisplay();
        runtimeFolder.emplace();
        application.emplace(argc, argv);
    }

    const QString title =
        QStringLiteral("形状図 ") + QFileInfo(pathFromCore(design.path)).fileName();
    if (!print::writeSketchFile(sketch, pathFromCore(options.output), title)) {
        std::cerr << "haltrix-calc sketch: 「" << options.output << "」を書けません\n";
        return kExitNoOutput;
    }
    return status.code();
}

} // namespace haltrix::cli
