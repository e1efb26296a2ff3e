// SPDX-License-Identifier: GPL-3.0-or-later
// The 感度 window's chart drawn with QCustomPlot: the module haltrix_chart.
#include <QFileInfo>
#include <QPrinter>
#include <QVBoxLayout>
#if HALTRIX_HAVE_QT_SVG
#include <QSvgGenerator>
#endif
#include <cmath>
#include <qcustomplot.h>

#include "studies/sensitivity.h"
#include "tools/chart/plot_labels.h"
#include "tools/sensitivity_chart.h"

namespace haltrix::gui {

namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QVector<double> values(const std::vector<double>& numbers) {
    return QVector<double>(numbers.begin(), numbers.end());
}

// The smallest and largest finite value among the lists.
std::pair<double, double> finiteSpan(std::initializer_list<const std::vector<double>*> lists) {
    double low = INFINITY;
    double high = -INFINITY;
    for (const std::vector<double>* list : lists) {
        for (const double value : *list) {
            if (std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
        }
    }
    return {low, high};
}

class QcpSensitivityChart final : public SensitivityChart {
public:
    QcpSensitivityChart(QWidget* parent, const ChartFonts& fonts)
        : SensitivityChart(parent), m_fonts(fonts), m_plot(new QCustomPlot(this)) {
        m_plot->setObjectName("plot");
        m_plot->setFont(fonts.text);
        m_plot->xAxis->setLabelFont(fonts.text);
        m_plot->yAxis->setLabelFont(fonts.text);
        // The legend in a row of its own under the axes, clear of the curves.
        m_plot->legend->setVisible(true);
        m_plot->legend->setFont(fonts.text);
        m_plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
        m_plot->axisRect()->insetLayout()->take(m_plot->legend);
        m_plot->plotLayout()->addElement(1, 0, m_plot->legend);
        m_plot->plotLayout()->setRowStretchFactor(1, 0.001);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_plot);
        // Every drawing, at any size, places the labels afresh once the axes
        // have their pixels.
        QObject::connect(m_plot, &QCustomPlot::afterLayout, m_plot, [this] { placeLabels(); });
    }

    void draw(const SensitivityPlot& model) override;

    bool writePng(const QString& path) override {
        return m_plot->savePng(path, m_plot->width(), m_plot->height());
    }

    bool writePdf(const QString& path, const QString& title) override {
        return m_plot->savePdf(path, m_plot->width(), m_plot->height(), QCP::epNoCosmetic,
                               QStringLiteral("Haltrix"), title) &&
               QFileInfo(path).size() > 0;
    }

    bool writeSvg(const QString& path, const QString& title) override {
#if HALTRIX_HAVE_QT_SVG
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(m_plot->size());
        svg.setViewBox(QRect(QPoint(0, 0), m_plot->size()));
        svg.setTitle(title);
        QCPPainter painter;
        if (!painter.begin(&svg))
            return false;
        m_plot->toPainter(&painter, m_plot->width(), m_plot->height());
        return painter.end() && QFileInfo(path).size() > 0;
#else
        Q_UNUSED(path);
        Q_UNUSED(title);
        return false;
#endif
    }

    bool print(QPrinter& printer) override {
        QCPPainter painter;
        if (!painter.begin(&printer))
            return false;
        painter.setMode(QCPPainter::pmVectorized);
        painter.setMode(QCPPainter::pmNoCaching);
        // The plot as shown, scaled to the page's width (or height, if less).
        const QRectF page = printer.pageRect(QPrinter::DevicePixel);
        const double scale =
            std::min(page.width() / m_plot->width(), page.height() / m_plot->height());
        painter.scale(scale, scale);
        m_plot->toPainter(&painter, m_plot->width(), m_plot->height());
        return painter.end();
    }

private:
    // A vertical line across the plot at x, with its label; placeLabels
    // finds the label its place beside the line.
    MarkedLine addVerticalMarker(double x, const QString& label, const QPen& pen) {
        auto* line = new QCPItemStraightLine(m_plot);
        line->setPen(pen);
        line->point1->setCoords(x, 0);
        line->point2->setCoords(x, 1);
        auto* caption = new QCPItemText(m_plot);
        caption->setText(label);
        caption->setFont(m_fonts.marker);
        caption->setColor(pen.color());
        caption->setPadding(QMargins(3, 1, 3, 1));
        // Readable should it still have to cross a curve.
        caption->setBrush(QColor(255, 255, 255, 210));
        return {line, caption};
    }

    void placeLabels() {
        QList<QRectF> keepClear;
        if (m_note)
            keepClear.append(labelRect(m_note));
        placeMarkerLabels(m_plot, m_markers, m_curves, keepClear);
    }

    ChartFonts m_fonts;
    QCustomPlot* m_plot;
    QList<MarkedLine> m_markers;
    QList<QCPGraph*> m_curves;
    QCPItemText* m_note = nullptr;
};

void QcpSensitivityChart::draw(const SensitivityPlot& model) {
    m_plot->clearGraphs();
    m_plot->clearItems();
    QCPGraph* required = m_plot->addGraph();
    required->setName(text(model.requiredName));
    required->setPen(QPen(QColor(0, 70, 180), 2));
    required->setData(values(model.x), values(model.required), true);
    QCPGraph* provided = m_plot->addGraph();
    provided->setName(text(model.providedName));
    provided->setPen(QPen(QColor(0, 130, 60), 2));
    provided->setData(values(model.x), values(model.provided), true);

    QCPGraph* current = m_plot->addGraph();
    current->setName(text(model.current.label));
    current->setLineStyle(QCPGraph::lsNone);
    current->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(200, 0, 0), QColor(200, 0, 0), 8));
    if (model.currentRequired)
        current->addData(model.current.x, *model.currentRequired);
    if (model.currentProvided)
        current->addData(model.current.x, *model.currentProvided);

    // The range with a little room at both ends, so that a marker at an end
    // stays in view.
    const double margin = 0.03 * (model.to - model.from);
    m_plot->xAxis->setRange(model.from - margin, model.to + margin);

    QPen markerPen(QColor(110, 110, 110), 1, Qt::DashLine);
    m_markers.clear();
    for (const PlotMarker& marker : model.markers)
        m_markers.append(addVerticalMarker(marker.x, text(marker.label), markerPen));
    m_markers.append(addVerticalMarker(model.current.x, text(model.current.label),
                                       QPen(QColor(200, 0, 0), 1, Qt::DotLine)));
    m_curves = {required, provided, current};

    m_note = nullptr;
    if (!model.note.empty()) {
        auto* note = new QCPItemText(m_plot);
        m_note = note;
        note->setObjectName("note");
        note->position->setType(QCPItemPosition::ptAxisRectRatio);
        note->position->setCoords(0.5, 0.5);
        note->setText(text(model.note));
        note->setFont(m_fonts.note);
        note->setColor(QColor(200, 0, 0));
    }

    m_plot->xAxis->setLabel(text(model.xLabel));
    m_plot->yAxis->setLabel(text(model.yLabel));
    // The areas from 0 (or below, for negative ones) with room above.
    auto [low, high] = finiteSpan({&model.required, &model.provided});
    if (!(low <= high)) {
        low = 0;
        high = 1;
    }
    low = std::min(0.0, low);
    high = std::max(high, low + 1e-9);
    m_plot->yAxis->setRange(low, high + 0.1 * (high - low));
    m_plot->replot();
}

} // namespace

} // namespace haltrix::gui

extern "C" Q_DECL_EXPORT haltrix::gui::SensitivityChart*
haltrixCreateSensitivityChart(QWidget* parent, const haltrix::gui::ChartFonts& fonts) {
    return new haltrix::gui::QcpSensitivityChart(parent, fonts);
}
