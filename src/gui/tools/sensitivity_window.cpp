// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sensitivity_window.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "calculation/print_interaction.h"
#include "document/file_dialogs.h"
#include "fonts.h"
#include "platform/message_sink.h"
#include "program_module.h"
#include "studies/sensitivity.h"
#include "tools/sensitivity_chart.h"

namespace haltrix::gui {

namespace {

// What the plot is shown at, and written at when saved.
constexpr int kPlotWidth = 640;
constexpr int kPlotHeight = 420;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The chart from its module, loaded the first time; null, with `failure`
// saying why, when the module cannot be loaded.
SensitivityChart* createChart(QWidget* parent, QString& failure) {
    const auto create = reinterpret_cast<CreateSensitivityChart>(programModuleEntry(
        QStringLiteral("haltrix_chart"), kCreateSensitivityChartEntry, failure));
    if (!create)
        return nullptr;
    return create(parent, {gothicFont(), gothicFont(8), gothicFont(10)});
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

    QString failure;
    m_chart = createChart(this, failure);
    if (m_chart) {
        m_plotArea = m_chart;
    } else {
        auto* missing = new QLabel(QStringLiteral("グラフを描けません: ") + failure, this);
        missing->setObjectName("chartMissing");
        missing->setWordWrap(true);
        missing->setAlignment(Qt::AlignCenter);
        m_plotArea = missing;
        m_save->setEnabled(false);
        m_print->setEnabled(false);
    }
    // Shown at its size where there is room; a small area may shrink it.
    m_plotArea->setMinimumSize(kPlotWidth / 2, kPlotHeight / 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_plotArea, 1);

    fillParameterList();
    connect(m_parameter, &QComboBox::currentIndexChanged, this, &SensitivityWindow::redraw);
    connect(m_save, &QPushButton::clicked, this, &SensitivityWindow::save);
    connect(m_print, &QPushButton::clicked, this, &SensitivityWindow::print);
    connect(&m_document, &DesignDocument::inputsChanged, this, &SensitivityWindow::followInputs);
    redraw();
}

SensitivityWindow::~SensitivityWindow() = default;

QSize SensitivityWindow::sizeHint() const {
    // The plot at its full size, with the row of controls above it.
    return QWidget::sizeHint().expandedTo(QSize(kPlotWidth, kPlotHeight) +
                                          (QWidget::sizeHint() - m_plotArea->minimumSize()));
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

void SensitivityWindow::followInputs() {
    fillParameterList();
    redraw();
}

void SensitivityWindow::redraw() {
    if (!m_chart)
        return;
    const int index = std::max(0, m_parameter->currentIndex());
    const SweepParameter& parameter = kSweepParameters[static_cast<std::size_t>(index)];
    m_chart->draw(sensitivityPlot(m_document.inputs(), parameter));
}

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
    if (!m_chart)
        return;
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
        written = m_chart->writePng(path);
    else if (suffix == QLatin1String("pdf"))
        written = m_chart->writePdf(path, windowTitle());
#if HALTRIX_HAVE_QT_SVG
    else if (suffix == QLatin1String("svg"))
        written = m_chart->writeSvg(path, windowTitle());
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
    if (!m_chart)
        return;
    SystemPrintInteraction system;
    PrintInteraction& printing = m_printing ? *m_printing : system;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!printing.choosePrinter(printer, this))
        return;
    if (!m_chart->print(printer))
        printing.printingFailed(QStringLiteral("グラフを印刷できません"), this);
}

} // namespace haltrix::gui
