// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QWidget>

class QPrinter;

namespace haltrix {
struct SensitivityPlot;
}

namespace haltrix::gui {

// The fonts of the chart: its axes and legend, the labels of its marker
// lines, and the note shown when nothing can be calculated.
struct ChartFonts {
    QFont text;
    QFont marker;
    QFont note;
};

// The plot of the 感度 window: draws the core's sensitivity plot, writes it
// as shown and prints it. Drawn with QCustomPlot in the module haltrix_chart,
// which the window loads when it first opens, so the plotting library costs
// the program's start nothing.
class SensitivityChart : public QWidget {
public:
    using QWidget::QWidget;

    // Draws `plot` afresh, its marker labels placed clear of the curves.
    virtual void draw(const SensitivityPlot& plot) = 0;

    // Write the chart at its size on screen; false when the file could not
    // be written. `title` is the document's title.
    virtual bool writePng(const QString& path) = 0;
    virtual bool writePdf(const QString& path, const QString& title) = 0;
    // False, too, where the module is built without Qt SVG.
    virtual bool writeSvg(const QString& path, const QString& title) = 0;
    // Prints the chart across the page's width (or height, if less); false
    // when the printer cannot be painted on.
    virtual bool print(QPrinter& printer) = 0;
};

// The module's entry: a new chart, a child of `parent`.
using CreateSensitivityChart = SensitivityChart* (*)(QWidget* parent, const ChartFonts& fonts);
inline constexpr char kCreateSensitivityChartEntry[] = "haltrixCreateSensitivityChart";

} // namespace haltrix::gui
