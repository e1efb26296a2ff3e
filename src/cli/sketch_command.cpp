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

enum class Format { Svg, Png, Dxf, Unknown };

Format formatOf(const std::string& path) {
    const QString suffix = QFileInfo(pathFromCore(path)).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("dxf"))
        return Format::Dxf;
    return Format::Unknown;
}

// Writes the file whole or not at all; false when it cannot be written.
bool writeSketch(const sketch::Sketch& sketch, Format format, const QString& path,
                 const QString& title) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool written = false;
    switch (format) {
    case Format::Dxf: {
        const std::string text = sketch::dxfText(sketch);
        written = file.write(text.data(), static_cast<qint64>(text.size())) ==
                  static_cast<qint64>(text.size());
        break;
    }
    case Format::Svg:
        written = print::writeSketchSvg(sketch, file, title);
        break;
    case Format::Png:
        written = print::sketchImage(sketch).save(&file, "PNG");
        break;
    case Format::Unknown:
        break;
    }
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
    if (!writeSketch(sketch, format, pathFromCore(options.output), title)) {
        std::cerr << "haltrix-calc sketch: 「" << options.output << "」を書けません\n";
        return kExitNoOutput;
    }
    return status.code();
}

} // namespace haltrix::cli
