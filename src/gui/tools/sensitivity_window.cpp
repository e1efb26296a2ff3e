// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sensitivity_window.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#if HALTRIX_HAVE_QT_SVG
#include <QSvgGenerator>
#endif
#include <QVBoxLayout>
#include <cmath>
#include <qcustomplot.h>

#include "document/file_dialogs.h"
#include "fonts.h"
#include "platform/message_sink.h"
#include "tools/plot_labels.h"
#include "calculation/print_interaction.h"
#include "studies/sensitivity.h"

namespace haltrix::gui {

namespace {

// What the plot is shown at, and written at when saved.
constexpr int kPlotWidth = 640;
constexpr int kPlotHeight = 420;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QVector<double> values(const std::vector<double>& numbers) {
    return QVector<double>(numbers.begin(), numbers.end());
}

// A vertical line across the plot at x, with its label; placeMarkerLabels
// finds the label its place beside the line.
MarkedLine addVerticalMarker(QCustomPlot* plot, double x, const QString& label, const QPen& pen) {
    auto* line = new QCPItemStraightLine(plot);
    line->setPen(pen);
    line->point1->setCoords(x, 0);
    line->point2->setCoords(x, 1);
    auto* caption = new QCPItemText(plot);
    caption->setText(label);
    caption->setFont(gothicFont(8));
    caption->setColor(pen.color());
    caption->setPadding(QMargins(3, 1, 3, 1));
    // Readable should it still have to cross a curve.
    caption->setBrush(QColor(255, 255, 255, 210));
    return {line, caption};
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

} // namespace

SensitivityWindow::SensitivityWindow(DesignDocument& document, FileDialogs& fileDialogs,
                                     MessageSink& messages, PrintInteraction* printing,
                                     QWidget* parent)
    : QWidget(parent), m_document(document), m_fileDialogs(fileDialogs), m_messages(messages),
      m_printing(printing) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("感度"));
    setFont(gothicFont());

    auto* label = new QLabel(QStringLiteral("入力(&I):"), this);
    m_parameter = new QComboBox(this);
    m_parameter->setObjectName("cboParameter");
    label->setBuddy(m_parameter);
    m_save = new QPushButton(QStringLiteral("保存(&S)..."), this);
    m_save->setObjectName("cmdSave");
    m_print = new QPushButton(QStringLiteral("印刷(&P)..."), this);
    m_print->setObjectName("cmdPrint");
    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_parameter);
    top->addStretch();
    top->addWidget(m_save);
    top->addWidget(m_print);

    m_plot = new QCustomPlot(this);
    m_plot->setObjectName("plot");
    // Shown at its size where there is room; a small area may shrink it.
    m_plot->setMinimumSize(kPlotWidth / 2, kPlotHeight / 2);
    m_plot->setFont(gothicFont());
    m_plot->xAxis->setLabelFont(gothicFont());
    m_plot->yAxis->setLabelFont(gothicFont());
    // The legend in a row of its own under the axes, clear of the curves.
    m_plot->legend->setVisible(true);
    m_plot->legend->setFont(gothicFont());
    m_plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    m_plot->axisRect()->insetLayout()->take(m_plot->legend);
    m_plot->plotLayout()->addElement(1, 0, m_plot->legend);
    m_plot->plotLayout()->setRowStretchFactor(1, 0.001);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_plot, 1);

    fillParameterList();
    connect(m_parameter, &QComboBox::currentIndexChanged, this, &SensitivityWindow::redraw);
    connect(m_save, &QPushButton::clicked, this, &SensitivityWindow::save);
    connect(m_print, &QPushButton::clicked, this, &SensitivityWindow::print);
    // Every drawing, at any size, places the labels afresh once the axes
    // have their pixels.
    connect(m_plot, &QCustomPlot::afterLayout, this, &SensitivityWindow::placeLabels);
    connect(&m_document, &DesignDocument::inputsChanged, this, &SensitivityWindow::followInputs);
    redraw();
}

SensitivityWindow::~SensitivityWindow() = default;

QSize SensitivityWindow::sizeHint() const {
    // The plot at its full size, with the row of controls above it.
    return QWidget::sizeHint().expandedTo(QSize(kPlotWidth, kPlotHeight) +
                                          (QWidget::sizeHint() - m_plot->minimumSize()));
}

// The inputs with their units in the design's unit system; the choice stays.
void SensitivityWindow::fillParameterList() {
    const QSignalBlocker blocker(m_parameter);
    const int chosen = std::max(0, m_parameter->currentIndex());
    m_parameter->clear();
    for (const SweepParameter& parameter : kSweepParameters)
        m_parameter->addItem(text(sweepParameterCaption(parameter, m_document.inputs().unitSystem)),
                             QString::fromLatin1(parameter.name.data(),
                                                 static_cast<qsizetype>(parameter.name.size())));
    m_parameter->setCurrentIndex(chosen);
}

void SensitivityWindow::placeLabels() {
    QList<QRectF> keepClear;
    if (m_note)
        keepClear.append(labelRect(m_note));
    placeMarkerLabels(m_plot, m_markers, m_curves, keepClear);
}

void SensitivityWindow::followInputs() {
    fillParameterList();
    redraw();
}

void SensitivityWindow::redraw() {
    const int index = std::max(0, m_parameter->currentIndex());
    const SweepParameter& parameter = kSweepParameters[static_cast<std::size_t>(index)];
    const SensitivityPlot model = sensitivityPlot(m_document.inputs(), parameter);

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
        m_markers.append(addVerticalMarker(m_plot, marker.x, text(marker.label), markerPen));
    m_markers.append(addVerticalMarker(m_plot, model.current.x, text(model.current.label),
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
        note->setFont(gothicFont(10));
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

bool SensitivityWindow::writePng(const QString& path) {
    return m_plot->savePng(path, m_plot->width(), m_plot->height());
}

bool SensitivityWindow::writePdf(const QString& path) {
    return m_plot->savePdf(path, m_plot->width(), m_plot->height(), QCP::epNoCosmetic,
                           QStringLiteral("Haltrix"), windowTitle()) &&
           QFileInfo(path).size() > 0;
}

#if HALTRIX_HAVE_QT_SVG
bool SensitivityWindow::writeSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(m_plot->size());
    svg.setViewBox(QRect(QPoint(0, 0), m_plot->size()));
    svg.setTitle(windowTitle());
    QCPPainter painter;
    if (!painter.begin(&svg))
        return false;
    m_plot->toPainter(&painter, m_plot->width(), m_plot->height());
    return painter.end() && QFileInfo(path).size() > 0;
}
#endif

// The formats the plot is saved in: SVG only where Qt SVG is built in (not
// in the Windows build, whose save dialog and message say so).
namespace {
#if HALTRIX_HAVE_QT_SVG
const char* const kPlotFilters = "PNG 画像 (*.png);;PDF 文書 (*.pdf);;SVG 画像 (*.svg)";
const char* const kPlotFormats = "グラフは PNG（.png）、PDF（.pdf）か SVG（.svg）で保存します: ";
#else
const char* const kPlotFilters = "PNG 画像 (*.png);;PDF 文書 (*.pdf)";
const char* const kPlotFormats =
    "グラフは PNG（.png）か PDF（.pdf）で保存します（この版は SVG に対応していません）: ";
#endif
} // namespace

void SensitivityWindow::save() {
    QString path = m_fileDialogs.getSaveFileName(this, QStringLiteral("グラフを保存"),
                                                 QString::fromUtf8(kPlotFilters));
    if (path.isEmpty())
        return;
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) {
        path += QStringLiteral(".png");
        suffix = QStringLiteral("png");
    }
    bool written = false;
    if (suffix == QLatin1String("png"))
        written = writePng(path);
    else if (suffix == QLatin1String("pdf"))
        written = writePdf(path);
#if HALTRIX_HAVE_QT_SVG
    else if (suffix == QLatin1String("svg"))
        written = writeSvg(path);
#endif
    else {
        m_messages.showMessage(this, QString::fromUtf8(kPlotFormats) + path, QMessageBox::Warning);
        return;
    }
    if (!written)
        m_messages.showMessage(this, QStringLiteral("ファイル「") + path + "」に書き込めません",
                               QMessageBox::Warning);
}

void SensitivityWindow::print() {
    SystemPrintInteraction system;
    PrintInteraction& printing = m_printing ? *m_printing : system;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!printing.choosePrinter(printer, this))
        return;
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        printing.printingFailed(QStringLiteral("グラフを印刷できません"), this);
        return;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    // The plot as shown, scaled to the page's width (or height, if less).
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double scale = std::min(page.width() / m_plot->width(), page.height() / m_plot->height());
    painter.scale(scale, scale);
    m_plot->toPainter(&painter, m_plot->width(), m_plot->height());
    painter.end();
}

} // namespace haltrix::gui
