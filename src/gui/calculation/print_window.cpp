// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/print_window.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSettings>

#include "platform/child_windows.h"
#include "design/design_calculation.h"
#include "findings/design_warnings.h"
#include "forms/findings_list.h"
#include "fonts.h"
#include "platform/message_notifier.h"
#include "calculation/preview_surface.h"
#include "calculation/print_interaction.h"
#include "paper/case_summary.h"
#include "paper/report.h"
#include "report_printer.h"
#include "sketch/sketch_builder.h"
#include "platform/twips.h"

namespace haltrix::gui {

namespace {

// Client area of the window and placement of the preview, twips.
constexpr int kClientWidthTwips = 9870;
constexpr int kClientHeightTwips = 12705;
constexpr int kPicLeft = 120;
constexpr int kPicTop = 720;
constexpr int kPicWidth = 9615;
constexpr int kPicHeight = 11895;
// Right of the buttons and above the preview: the row of page choices, and
// below it the warnings.
constexpr int kChoicesTop = 30;
constexpr int kChoicesHeight = 270;
constexpr int kFindingsLeft = 2520;
constexpr int kFindingsTop = 330;
// The warnings show at least this many lines; the preview starts below.
constexpr int kFindingsLines = 3;

// Where the page choices are remembered.
const QString kSketchKey = QStringLiteral("Print/SketchPage");
const QString kQuantitiesKey = QStringLiteral("Print/QuantityPage");
const QString kProjectKey = QStringLiteral("Print/Project");
const QString kMemberKey = QStringLiteral("Print/Member");
const QString kDesignerKey = QStringLiteral("Print/Designer");

} // namespace

PrintWindow::PrintWindow(DesignDocument& document, PrintInteraction* interaction,
                         Notifier* notifier, QWidget* parent)
    : QWidget(parent), m_document(document), m_notifier(notifier),
      m_choice(document.inputs().sideFaceChoice) {
    if (!interaction) {
        m_ownInteraction = std::make_unique<SystemPrintInteraction>();
        interaction = m_ownInteraction.get();
    }
    m_interaction = interaction;

    setObjectName(QStringLiteral("Frm_print"));
    setWindowTitle(QStringLiteral("プレビュ－"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(proportionalGothicFont());

    const double dpi = logicalDpiOf(this);
    resize(sizeHint());

    m_printButton = new QPushButton(QStringLiteral("印刷実行"), this);
    m_printButton->setObjectName(QStringLiteral("Command1"));
    m_printButton->setGeometry(twipsRect(120, 240, 1095, 375, dpi));

    m_closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    m_closeButton->setObjectName(QStringLiteral("Command2"));
    m_closeButton->setGeometry(twipsRect(1320, 240, 1095, 375, dpi));

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PicScrollArea"));
    m_scroll->setGeometry(twipsRect(kPicLeft, kPicTop, kPicWidth, kPicHeight, dpi));
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Base);
    m_preview = new PreviewSurface;
    m_scroll->setWidget(m_preview);

    createPageChoices(dpi);

    m_findings = new FindingsList(this);
    m_findings->setObjectName(QStringLiteral("lstFindings"));
    m_findings->setOneLinePerFinding(true, kFindingsLines);
    const QRect findings = twipsRect(kFindingsLeft, kFindingsTop,
                                     kPicLeft + kPicWidth - kFindingsLeft, 0, dpi);
    m_findings->setGeometry(findings.x(), findings.y(), findings.width(),
                            m_findings->heightForLines(kFindingsLines));
    // The preview moves down by what the warnings take beyond their old
    // single line, and keeps its bottom.
    const QRect pic = twipsRect(kPicLeft, kPicTop, kPicWidth, kPicHeight, dpi);
    const int below = std::max(pic.top(), m_findings->geometry().bottom() + 1 +
                                              twipsToPixels(kPicTop - kFindingsTop - 360, dpi));
    m_scroll->setGeometry(pic.adjusted(0, below - pic.top(), 0, 0));

    connect(m_printButton, &QPushButton::clicked, this, &PrintWindow::printReport);
    connect(m_closeButton, &QPushButton::clicked, this, [this] { closeHostWindow(this); });

    connect(&m_document, &DesignDocument::inputsChanged, this, &PrintWindow::followInputs);
    connect(&m_document, &DesignDocument::spacingRuleChanged, this, &PrintWindow::updateFindings);

    // The result window that opens this one has just shown any message.
    takeResults();
    drawPreview();
}

PrintWindow::~PrintWindow() = default;

// In the row of the buttons, to their right.
void PrintWindow::createPageChoices(double dpi) {
    m_sketchBox = new QCheckBox(QStringLiteral("形状図を印刷"), this);
    m_sketchBox->setObjectName(QStringLiteral("Check_sketch"));
    m_sketchBox->setGeometry(twipsRect(2520, kChoicesTop, 1500, kChoicesHeight, dpi));
    // Under the buttons, left of the warnings.
    m_quantitiesBox = new QCheckBox(QStringLiteral("数量・鉄筋表を印刷"), this);
    m_quantitiesBox->setObjectName(QStringLiteral("Check_quantities"));
    m_quantitiesBox->setGeometry(twipsRect(120, 690, 2300, kChoicesHeight, dpi));

    auto field = [&](const char* labelName, const QString& caption, const char* boxName, int left,
                     int width) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(labelName));
        label->setGeometry(twipsRect(left, kChoicesTop + 15, 600, 255, dpi));
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(boxName));
        box->setGeometry(twipsRect(left + 600, kChoicesTop, width, kChoicesHeight, dpi));
        label->setBuddy(box);
        box->setProperty("caption", QVariant::fromValue<QWidget*>(label));
        return box;
    };
    m_project = field("Label_project", QStringLiteral("工事名"), "Text_project", 4080, 1320);
    m_member = field("Label_member", QStringLiteral("部材名"), "Text_member", 6060, 1020);
    m_designer = field("Label_designer", QStringLiteral("設計者"), "Text_designer", 7740, 1395);

    connect(m_sketchBox, &QCheckBox::toggled, this, &PrintWindow::saveChoices);
    connect(m_quantitiesBox, &QCheckBox::toggled, this, &PrintWindow::saveChoices);
    for (QLineEdit* box : {m_project, m_member, m_designer})
        connect(box, &QLineEdit::textChanged, this, &PrintWindow::saveChoices);
}

void PrintWindow::rememberChoicesIn(SettingsOpener openSettings) {
    m_openSettings = {};
    if (openSettings) {
        const std::unique_ptr<QSettings> settings = openSettings();
        m_sketchBox->setChecked(settings->value(kSketchKey, false).toBool());
        m_quantitiesBox->setChecked(settings->value(kQuantitiesKey, false).toBool());
        m_project->setText(settings->value(kProjectKey).toString());
        m_member->setText(settings->value(kMemberKey).toString());
        m_designer->setText(settings->value(kDesignerKey).toString());
    }
    m_openSettings = std::move(openSettings);
}

void PrintWindow::saveChoices() {
    if (!m_openSettings)
        return;
    const std::unique_ptr<QSettings> settings = m_openSettings();
    settings->setValue(kSketchKey, m_sketchBox->isChecked());
    settings->setValue(kQuantitiesKey, m_quantitiesBox->isChecked());
    settings->setValue(kProjectKey, m_project->text());
    settings->setValue(kMemberKey, m_member->text());
    settings->setValue(kDesignerKey, m_designer->text());
}

print::PrintOptions PrintWindow::printOptions() const {
    print::PrintOptions options;
    if (m_sketchBox->isChecked()) {
        options.sketch = sketch::buildSketch(m_document.inputs(), m_results);
        options.linesUnderSketch = print::warningLines(findings());
    }
    if (m_quantitiesBox->isChecked())
        options.quantities = print::quantityPage(
            m_document.inputs(), m_choice,
            m_document.fileName().isEmpty() ? QStringLiteral("(無題)")
                                            : QFileInfo(m_document.fileName()).fileName());
    // A printed design that has findings ends with them on a page of their own.
    options.notes = print::designNotes(findings(),
                                       calculationMessage(m_document.inputs(), m_calculation));
    options.cases = &m_calculation;
    options.title.project = m_project->text().trimmed();
    options.title.member = m_member->text().trimmed();
    options.title.designer = m_designer->text().trimmed();
    options.title.date = print::titleDate(QDate::currentDate());
    return options;
}

QSize PrintWindow::sizeHint() const {
    const double dpi = logicalDpiOf(this);
    return QSize(twipsToPixels(kClientWidthTwips, dpi), twipsToPixels(kClientHeightTwips, dpi));
}

void PrintWindow::setHorizontalChoice(const HorizontalChoice& choice) {
    m_choice = choice;
    takeResults();
    drawPreview();
}

// The document's results, checked with the side-face bars of this window.
void PrintWindow::takeResults() {
    m_calculation = m_document.calculation();
    checkSideFacesAgain(m_calculation, m_document.inputs(),
                        unitSystemOf(m_document.inputs().unitSystem), m_choice);
    m_results = m_calculation.first();
}

std::vector<Finding> PrintWindow::findings() const {
    return findCaseWarnings(m_document.inputs(), m_calculation.cases, m_document.spacingRule());
}

void PrintWindow::drawPreview() {
    m_preview->clear();
    const DesignInputs& inputs = m_document.inputs();
    if (m_calculation.cases.size() <= 1 ||
        reportLines(inputs, m_results, ReportVariant::Preview).empty()) {
        writeReport(inputs, m_results, m_preview->target(), ReportVariant::Preview);
    } else {
        writeCasesReport(inputs, m_calculation, m_preview->target(), ReportVariant::Preview);
    }
    updateFindings();
}

void PrintWindow::updateFindings() {
    m_findings->showFindings(findings());
}

// The message of a calculation that stopped.
void PrintWindow::showMessage() {
    const std::optional<std::string> message =
        calculationMessage(m_document.inputs(), m_calculation);
    if (!message)
        return;
    MessageBoxNotifier messageBox(this);
    (m_notifier ? *m_notifier : messageBox).notify(*message);
}

void PrintWindow::followInputs() {
    takeResults();
    showMessage();
    drawPreview();
}

// The three title fields keep their places while the window is as wide as
// they need; a narrower one shares out what is left in their proportions,
// so that none shrinks to a sliver.
void PrintWindow::fitTitleFields(double dpi) {
    if (!m_project || !m_member || !m_designer)
        return;
    const int margin = twipsToPixels(kClientWidthTwips - kPicLeft - kPicWidth, dpi);
    const int first = twipsToPixels(4080, dpi);
    const int label = twipsToPixels(600, dpi);
    const int gap = twipsToPixels(60, dpi);
    constexpr int kWidths[] = {1320, 1020, 1395};
    constexpr int kLefts[] = {4080, 6060, 7740};
    const int designed = twipsToPixels(7740 + 600 + 1395, dpi);
    const int room = width() - margin;
    QLineEdit* const boxes[] = {m_project, m_member, m_designer};
    const double total = kWidths[0] + kWidths[1] + kWidths[2];
    const int shared = std::max(0, room - first - 3 * label - 2 * gap);
    int left = first;
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = boxes[i];
        QWidget* caption = box->property("caption").value<QWidget*>();
        int boxLeft = twipsToPixels(kLefts[i] + 600, dpi);
        int boxWidth = twipsToPixels(kWidths[i], dpi);
        if (room < designed) {
            boxLeft = left + label;
            boxWidth = static_cast<int>(shared * kWidths[i] / total);
            left = boxLeft + boxWidth + gap;
        }
        if (caption)
            caption->move(boxLeft - label, caption->y());
        box->setGeometry(boxLeft, box->y(), boxWidth, box->height());
    }
}

// The preview fills the window below the buttons, keeping its margins.
void PrintWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const double dpi = logicalDpiOf(this);
    const int margin = twipsToPixels(kClientWidthTwips - kPicLeft - kPicWidth, dpi);
    const int bottom = twipsToPixels(kClientHeightTwips - kPicTop - kPicHeight, dpi);
    m_findings->resize(std::max(0, width() - m_findings->x() - margin), m_findings->height());
    fitTitleFields(dpi);
    const QPoint topLeft = m_scroll->pos();
    m_scroll->resize(std::max(0, width() - topLeft.x() - margin),
                     std::max(0, height() - topLeft.y() - bottom));
}

void PrintWindow::printReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(
        reportDocumentName(QFileInfo(m_document.fileName()).fileName().toStdString())));
    // A design whose calculation stops is said so before any question or
    // dialog: there would be nothing to print.
    if (calculationMessage(m_document.inputs(), m_calculation)) {
        showMessage();
        return;
    }
    // Nobody prints a design the warnings call impossible without being asked.
    if (hasWarning(findings()) &&
        !m_interaction->confirmPrintDespiteWarning(this))
        return;
    // Printing to a PDF file suggests the design's folder and name.
    if (printer.outputFormat() == QPrinter::PdfFormat && !m_document.fileName().isEmpty()) {
        const QFileInfo design(m_document.fileName());
        printer.setOutputFileName(design.dir().filePath(design.completeBaseName() +
                                                        QStringLiteral(".pdf")));
    }
    if (!m_interaction->choosePrinter(printer, this))
        return;
    const print::PrintOutcome outcome =
        print::printReport(m_document.inputs(), m_results, printer, printOptions());
    if (outcome.status == print::PrintOutcome::Status::Failed)
        m_interaction->printingFailed(outcome.failure, this);
}

} // namespace haltrix::gui
