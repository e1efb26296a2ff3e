// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/result_window.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "forms/bar_list.h"
#include "design/bar_table.h"
#include "platform/child_windows.h"
#include "design/design_calculation.h"
#include "findings/design_warnings.h"
#include "forms/findings_list.h"
#include "design/horizontal_check.h"
#include "fonts.h"
#include "platform/message_notifier.h"
#include "paper/case_summary.h"
#include "paper/number_format.h"
#include "forms/number_input.h"
#include "paper/sheet.h"
#include "calculation/sheet_grid.h"
#include "forms/shown_number.h"
#include "platform/twips.h"

namespace haltrix::gui {

namespace {

constexpr ResultWindowProfile kProfiles[] = {
    {UnitSystem::Gravitational, "frm_calc"},
    {UnitSystem::SI, "frm_calc_si"},
};

// Client area of the window, twips.
constexpr int kClientWidthTwips = 8550;
constexpr int kClientHeightTwips = 8745;
// The panel of the load cases, right of the form, when there are several.
constexpr int kCasePanelTwips = 7350;

// The bar count as typed: a number in the user's locale (the default locale,
// the system's unless the program chose another), else in the program's own
// notation; an empty box and anything else count as 0 bars.
double barCountOf(const QString& text) {
    return numberFromText(text, QLocale()).value_or(0.0);
}

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

const ResultWindowProfile& resultWindowProfile(UnitSystem twin) {
    return twin == UnitSystem::Gravitational ? kProfiles[0] : kProfiles[1];
}

ResultWindow::ResultWindow(DesignDocument& document, UnitSystem twin, Notifier* notifier,
                           QWidget* parent)
    : QWidget(parent), m_document(document), m_profile(resultWindowProfile(twin)),
      m_notifier(notifier) {
    setObjectName(QString::fromLatin1(m_profile.objectName));
    setWindowTitle(QStringLiteral("計算結果"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(proportionalGothicFont());
    createControls();
    // The side-face bars the design keeps; nothing chosen shows D10.
    const HorizontalChoice& kept = m_document.inputs().sideFaceChoice;
    if (kept.barIndex >= 0 && kept.barIndex < kBarCount)
        m_barList->setCurrentRow(kept.barIndex, QItemSelectionModel::ClearAndSelect);
    m_barCount->setText(QString::fromStdString(plainText(kept.barCount)));
    load();

    connect(m_barCount, &QLineEdit::textChanged, this, &ResultWindow::recheckHorizontalBars);
    connect(m_barList, &QListWidget::itemSelectionChanged, this,
            &ResultWindow::recheckHorizontalBars);
    connect(m_closeButton, &QPushButton::clicked, this, [this] { closeHostWindow(this); });
    connect(m_printButton, &QPushButton::clicked, this, &ResultWindow::requestPrint);
    connect(m_sketchButton, &QPushButton::clicked, this, &ResultWindow::sketchRequested);
    connect(&m_document, &DesignDocument::inputsChanged, this, &ResultWindow::followInputs);
    connect(&m_document, &DesignDocument::spacingRuleChanged, this, &ResultWindow::updateFindings);
    connect(m_findingsLine, &QLabel::linkActivated, this, &ResultWindow::showFindingsList);
    connect(m_caseBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_loading && index >= 0)
            showCase(index);
    });
}

QSize ResultWindow::clientSize(double dpi) {
    return {twipsToPixels(kClientWidthTwips, dpi), twipsToPixels(kClientHeightTwips, dpi)};
}

void ResultWindow::createControls() {
    const double dpi = logicalDpiOf(this);
    // A fixed form: the grids and controls sit at fixed places.
    setFixedSize(clientSize(dpi));

    auto label = [&](const char* name, const QString& text, QRect twips) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height(), dpi));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    // The area unit of both Label11 labels.
    const QString unit =
        QLatin1Char('(') + QString::fromUtf8(unitTable(m_profile.twin).area) + QLatin1Char(')');

    label("Label1", QStringLiteral("(1)梁の自重及びﾓｰﾒﾝﾄ"), {120, 120, 2535, 255});
    label("Label2", QStringLiteral("(2)鉄筋量の計算"), {120, 2040, 2655, 255});
    label("Label3", QStringLiteral("(3)水平方向用心鉄筋"), {120, 6360, 2295, 255});
    label("Label4", QStringLiteral("必要鉄筋量               H="), {720, 6720, 2055, 255});
    m_requiredArea = label("Label9", QStringLiteral("0.00"), {3000, 6720, 1455, 255});
    label("Label11_0", unit, {4560, 6720, 735, 255});
    label("Label5", QStringLiteral("鉄筋径"), {720, 7200, 2055, 255});
    label("Label6", QStringLiteral("鉄筋本数                   n="), {720, 7800, 2055, 255});
    label("Label10", QStringLiteral("両側面の合計本数"), {4680, 7800, 1455, 255});
    label("Label7", QStringLiteral("鉄筋量                    As="), {720, 8280, 2055, 255});
    m_providedArea = label("Label8", QStringLiteral("0.00"), {3000, 8280, 1455, 255});
    label("Label11_1", unit, {4560, 8280, 735, 255});
    m_horizontalJudgement = label("Lab_ok", QString(), {5880, 8280, 855, 255});

    m_selfWeightGrid = new QTableWidget(this);
    m_selfWeightGrid->setObjectName(QStringLiteral("FG1"));
    m_selfWeightGrid->setFont(proportionalGothicFont());
    m_selfWeightGrid->setGeometry(twipsRect(120, 480, 8295, 1335, dpi));

    m_resultGrid = new QTableWidget(this);
    m_resultGrid->setObjectName(QStringLiteral("FG2"));
    m_resultGrid->setFont(gothicFont());
    m_resultGrid->setGeometry(twipsRect(120, 2400, 8295, 3735, dpi));

    m_barList = new QListWidget(this);
    m_barList->setObjectName(QStringLiteral("List_mtl_d"));
    m_barList->setGeometry(twipsRect(3000, 7080, 1455, 600, dpi));
    m_barList->setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::string_view designation : kBarDesignations)
        m_barList->addItem(
            QString::fromLatin1(designation.data(), static_cast<qsizetype>(designation.size())));
    fitWholeRows(*m_barList);
    // With no choice the check uses D10: the list shows it chosen.
    m_barList->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);

    m_barCount = new QLineEdit(QStringLiteral("4"), this);
    m_barCount->setObjectName(QStringLiteral("tex_mtl_n"));
    m_barCount->setGeometry(twipsRect(3000, 7800, 1455, 270, dpi));

    m_closeButton = new QPushButton(QStringLiteral("閉じる"), this);
    m_closeButton->setObjectName(QStringLiteral("Command1"));
    m_closeButton->setGeometry(twipsRect(7200, 7800, 1215, 375, dpi));

    m_printButton = new QPushButton(QStringLiteral("印刷"), this);
    m_printButton->setObjectName(QStringLiteral("Command2"));
    m_printButton->setGeometry(twipsRect(7200, 8280, 1215, 375, dpi));

    // Above the two buttons, in the room the form leaves there.
    m_sketchButton = new QPushButton(QStringLiteral("形状図"), this);
    m_sketchButton->setObjectName(QStringLiteral("Command_sketch"));
    m_sketchButton->setGeometry(twipsRect(7200, 7320, 1215, 375, dpi));

    // The panel of the load cases.
    const int left = kClientWidthTwips;
    m_casePanel << label("lblCase", QStringLiteral("荷重ケース(&K)"), {left, 120, 1335, 255});
    m_caseBox = new QComboBox(this);
    m_caseBox->setObjectName(QStringLiteral("cboCase"));
    m_caseBox->setGeometry(twipsRect(left + 1335, 60, kCasePanelTwips - 1455, 330, dpi));
    static_cast<QLabel*>(m_casePanel.front())->setBuddy(m_caseBox);
    m_casePanel << m_caseBox;
    m_casePanel << label("lblCases", QStringLiteral("荷重ケース一覧（＊ 支配ケース）"),
                         {left, 600, kCasePanelTwips - 120, 255});
    auto table = [&](const char* name, QRect twips) {
        auto* t = new QTableWidget(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height(), dpi));
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        t->verticalHeader()->hide();
        t->horizontalHeader()->setMinimumSectionSize(16);
        m_casePanel << t;
        return t;
    };
    m_caseTable = table("tblCases", {left, 900, kCasePanelTwips - 120, 3900});
    m_casePanel << label("lblSideCases", QStringLiteral("側面鉄筋（＊ 支配ケース）"),
                         {left, 4920, kCasePanelTwips - 120, 255});
    m_sideTable = table("tblSideCases", {left, 5220, kCasePanelTwips - 120, 3405});
    // A row chosen in either summary shows that case.
    for (QTableWidget* t : {m_caseTable, m_sideTable})
        connect(t, &QTableWidget::cellActivated, this, [this](int row, int) { showCase(row); });

    m_findingsLine = label("lblFindings", QString(), {4680, 6360, 3735, 255});
    m_findingsLine->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_findingsLine->setTextFormat(Qt::RichText);
    m_findingsLine->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
}

// Loads the document's results: the message of a calculation that stopped,
// the sheet, the horizontal check with the bar and count the window shows.
void ResultWindow::load() {
    m_calculation = m_document.calculation();
    const int count = static_cast<int>(m_calculation.cases.size());
    if (m_case >= count)
        m_case = 0;
    checkChosenBars();
    const std::optional<std::string> message =
        calculationMessage(m_document.inputs(), m_calculation);
    if (message) {
        // The message stops the calculation early but not the loading: the
        // sheet and the check show the results as far as they were reached.
        MessageBoxNotifier messageBox(this);
        (m_notifier ? *m_notifier : messageBox).notify(*message);
    }
    placeCasePanel();
    showSheet();
    updateFindings();
}

// The case panel shown, and the window widened, for a design of several
// cases only.
void ResultWindow::placeCasePanel() {
    const int count = static_cast<int>(m_calculation.cases.size());
    const bool several = count > 1;
    const double dpi = logicalDpiOf(this);
    QSize size = clientSize(dpi);
    if (several)
        size.setWidth(size.width() + twipsToPixels(kCasePanelTwips, dpi));
    for (QWidget* widget : std::as_const(m_casePanel))
        widget->setVisible(several);
    if (size != this->size()) {
        setFixedSize(size);
        if (QMdiSubWindow* host = hostSubWindow(this))
            host->adjustSize();
    }
    m_loading = true;
    m_caseBox->clear();
    for (int i = 0; i < count; ++i)
        m_caseBox->addItem(qtext(caseChoiceText(m_document.inputs(), m_calculation, i)));
    m_caseBox->setCurrentIndex(m_case);
    m_loading = false;
    showCaseSummaries();
}

void ResultWindow::showCase(int index) {
    if (index < 0 || index >= static_cast<int>(m_calculation.cases.size()))
        return;
    m_case = index;
    m_results = m_calculation.cases[std::size_t(index)];
    if (m_caseBox->currentIndex() != index) {
        m_loading = true;
        m_caseBox->setCurrentIndex(index);
        m_loading = false;
    }
    showSheet();
    updateFindings();
}

void ResultWindow::showSheet() {
    m_results = m_calculation.cases.at(std::size_t(m_case));
    const Sheet sheet = fillSheet(caseDesign(m_document.inputs(), m_case), m_results,
                                  m_profile.twin);
    const double dpi = logicalDpiOf(this);
    showSheetGrid(*m_selfWeightGrid, sheet.fg1, dpi);
    showSheetGrid(*m_resultGrid, sheet.fg2, dpi);
    showHorizontalCheck();
    for (QTableWidget* t : {m_caseTable, m_sideTable}) {
        if (t->rowCount() > m_case)
            t->selectRow(m_case);
    }
}

// 荷重ケース一覧 and the side-face summary, the governing rows marked.
void ResultWindow::showCaseSummaries() {
    if (m_calculation.cases.size() <= 1)
        return;
    const DesignInputs& inputs = m_document.inputs();
    auto fill = [](QTableWidget& table, const CaseSummaryTable& summary) {
        table.clear();
        table.setColumnCount(static_cast<int>(summary.heading.size()));
        table.setRowCount(static_cast<int>(summary.rows.size()));
        QStringList heading;
        // The stacked captions, so that the columns stay narrow.
        for (const std::string& caption : summary.stackedHeading)
            heading << qtext(caption);
        table.setHorizontalHeaderLabels(heading);
        for (int row = 0; row < table.rowCount(); ++row) {
            const auto& cells = summary.rows[std::size_t(row)];
            for (int column = 0; column < table.columnCount(); ++column) {
                auto* item = new QTableWidgetItem(qtext(cells[std::size_t(column)]));
                // Numbers right-aligned; the mark, the name and the judgement left.
                const bool text = column == 0 || column == 2 || column + 1 == table.columnCount();
                item->setTextAlignment(Qt::AlignVCenter |
                                       (text ? Qt::AlignLeft : Qt::AlignRight));
                if (row == summary.governing) {
                    QFont font = item->font();
                    font.setBold(true);
                    item->setFont(font);
                }
                table.setItem(row, column, item);
            }
        }
        table.resizeColumnsToContents();
        table.resizeRowsToContents();
    };
    fill(*m_caseTable, mainCaseSummary(inputs, m_calculation));
    fill(*m_sideTable, sideFaceCaseSummary(inputs, m_calculation));
    m_caseTable->setToolTip(qtext(governingLine(inputs, m_calculation, false)));
    m_sideTable->setToolTip(qtext(governingLine(inputs, m_calculation, true)));
}

// The summary beside the sheet, and the list when it is open.
void ResultWindow::updateFindings() {
    const std::vector<Finding> findings =
        findCaseWarnings(m_document.inputs(), m_calculation.cases, m_document.spacingRule());
    const QString summary = qtext(findingsSummary(findings));
    if (summary.isEmpty()) {
        m_findingsLine->setText(QString::fromUtf8(kNoFindingsText).toHtmlEscaped());
    } else {
        const char* colour = hasWarning(findings) ? "#c00000" : "#8a5a00";
        m_findingsLine->setText(
            QStringLiteral("<a href=\"findings\" style=\"color:%1\">%2</a>").arg(colour, summary));
    }
    m_findingsLine->setToolTip(
        summary.isEmpty() ? QString() : QStringLiteral("クリックすると一覧を表示します"));
    if (m_findingsDialog)
        m_findingsDialog->findChild<FindingsList*>()->showFindings(findings);
}

void ResultWindow::showFindingsList() {
    if (!m_findingsDialog) {
        auto* dialog = new QDialog(this);
        dialog->setObjectName(QStringLiteral("dlgFindings"));
        dialog->setWindowTitle(QStringLiteral("警告・注意"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        auto* list = new FindingsList(dialog);
        list->setObjectName(QStringLiteral("lstFindings"));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(list);
        layout->addWidget(buttons);
        const double dpi = logicalDpiOf(this);
        dialog->resize(twipsToPixels(7200, dpi), twipsToPixels(3000, dpi));
        m_findingsDialog = dialog;
        updateFindings();
    }
    m_findingsDialog->show();
    m_findingsDialog->raise();
    m_findingsDialog->activateWindow();
}

void ResultWindow::followInputs() {
    if (unitSystemOf(m_document.inputs().unitSystem) != m_profile.twin) {
        // Results in the units of the other twin would be wrong; the
        // calculation command opens the right window.
        closeHostWindow(this);
        return;
    }
    load();
}

// Checks the chosen side-face bars and shows the required steel, the
// provided steel and the judgement. The required steel is shown again on
// every run, so that it always agrees with the judgement beside it.
void ResultWindow::recheckHorizontalBars() {
    checkChosenBars();
    showHorizontalCheck();
    showCaseSummaries();
    if (!m_loading)
        m_document.setSideFaceChoice(horizontalChoice());
    // The count typed here is one of the things the warnings look at.
    updateFindings();
}

void ResultWindow::showHorizontalCheck() {
    const SideFaceReinforcement& check = m_results.sideFaces;
    showNumber(*m_requiredArea, qtext(formatPattern(check.required, "0.00")));
    showNumber(*m_providedArea, qtext(formatPattern(check.As, "0.00")));
    m_horizontalJudgement->setText(qtext(check.judgement));
}

// The side faces of the window's results with its bar and count, in the
// bar-table column of its twin.
void ResultWindow::checkChosenBars() {
    checkSideFacesAgain(m_calculation, m_document.inputs(), m_profile.twin, horizontalChoice());
    m_results = m_calculation.cases.at(std::size_t(m_case));
}

HorizontalChoice ResultWindow::horizontalChoice() const {
    return {selectedBar(), barCountOf(m_barCount->text())};
}

// The selected list position, -1 when nothing is selected. The current item
// alone (which the list sets when it gets the focus) is no choice.
int ResultWindow::selectedBar() const {
    const QList<QListWidgetItem*> selected = m_barList->selectedItems();
    return selected.isEmpty() ? -1 : m_barList->row(selected.front());
}

void ResultWindow::requestPrint() {
    const HorizontalChoice choice = horizontalChoice();
    closeHostWindow(this);
    emit printRequested(choice);
}

} // namespace haltrix::gui
