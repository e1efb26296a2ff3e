// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/input_form.h"

#include <QEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "tools/bar_proposal_window.h"
#include "platform/child_windows.h"
#include "document/design_document.h"
#include "design/load_cases.h"
#include "findings/design_warnings.h"
#include "forms/bar_list.h"
#include "forms/findings_list.h"
#include "fonts.h"
#include "platform/message_sink.h"
#include "paper/number_format.h"
#include "forms/number_input.h"
#include "platform/twips.h"

namespace haltrix::gui {

namespace {

// What OK says of a field that holds no number: the finding's words, and
// what to do.
QString notANumberMessage(const QString& caption, const QString& text) {
    return QString::fromStdString(
               notANumberFinding(caption.toStdString(), text.toStdString()).message) +
           QStringLiteral("。数値を入力してください。");
}

constexpr InputFormProfile kGravitationalForm{UnitSystem::Gravitational, "frm_datain",
                                              "支点反力 (ｔ)", false, true};

constexpr InputFormProfile kSIForm{UnitSystem::SI, "frm_datain_si", "支点反力 (kN)", true, false};

// The number boxes in the order "OK" stores them, with the input they set and
// the caption that names the box in a message.
struct NumberField {
    int text;
    double DesignInputs::*member;
    const char* caption;
    int page;
};

constexpr NumberField kFieldsBeforeBars[] = {
    {1, &DesignInputs::H1, "先端高    H1=", 0},
    {2, &DesignInputs::H2, "付根高    H2=", 0},
    {3, &DesignInputs::l, "張出長       l=", 0},
    {4, &DesignInputs::b, "橋軸方向幅 b=", 0},
    {5, &DesignInputs::a, "支承位置 a=", 0},
    {10, &DesignInputs::concreteUnitWeight, "コンクリートの単位体積重量 γc =", 1},
    {11, &DesignInputs::sigmaSa, "許容引張応力度 σsa=", 1},
    {6, &DesignInputs::P, "鉛直力", 0},
    {7, &DesignInputs::H, "直角方向水平力", 0},
    {8, &DesignInputs::t, "被  り     t=", 1},
    {9, &DesignInputs::c, "鉄筋間隔  c=", 1},
};
constexpr NumberField kLayer1Count{12, &DesignInputs::layer1Count, "１段目 本数     n=", 1};
constexpr NumberField kLayer2Count{14, &DesignInputs::layer2Count, "２段目 本数     n=", 1};

QString textOf(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A unit of the unit table in brackets: "(cm2)".
QString bracketed(const char* unit) {
    return QLatin1Char('(') + textOf(unit) + QLatin1Char(')');
}

int selectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

// No designation shows nothing chosen. One the list does not hold (from a
// hand-edited file) is taken as D10 by "OK" and the area: the list shows
// D10 chosen.
void selectBar(QListWidget* list, const std::string& designation) {
    if (designation.empty()) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    const QList<QListWidgetItem*> found = list->findItems(
        QString::fromStdString(designation), Qt::MatchExactly | Qt::MatchCaseSensitive);
    QListWidgetItem* item = found.isEmpty() ? list->item(0) : found.front();
    list->setCurrentItem(item);
    item->setSelected(true);
}

void selectRow(QListWidget* list, int row) {
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    list->setCurrentRow(row);
    list->item(row)->setSelected(true);
}

// The designation of a layer: a list with nothing chosen is D10, except for
// an empty layer (nothing chosen, no bars), which keeps no designation.
std::string selectedBar(const QListWidget* list, double count) {
    const int row = selectedRow(list);
    if (row < 0 && count == 0.0)
        return {};
    return std::string(barNameByIndex(row));
}

// Reads the boxes and the bar lists into `inputs`, in the order
// "OK" stores them; a box that does not hold a number gives NaN. Returns the
// first such field, or null when every box holds a number.
const NumberField* readFields(QLineEdit* const (&text)[16], const QListWidget* list1,
                              const QListWidget* list2, DesignInputs& inputs) {
    const NumberField* firstBad = nullptr;
    auto read = [&](const NumberField& field) {
        const std::optional<double> value = numberFromText(text[field.text]->text());
        inputs.*field.member = value.value_or(std::numeric_limits<double>::quiet_NaN());
        if (!value && !firstBad)
            firstBad = &field;
    };
    for (const NumberField& field : kFieldsBeforeBars)
        read(field);
    read(kLayer1Count);
    inputs.layer1Bar = selectedBar(list1, inputs.layer1Count);
    read(kLayer2Count);
    inputs.layer2Bar = selectedBar(list2, inputs.layer2Count);
    return firstBad;
}

} // namespace

const InputFormProfile& inputFormProfile(UnitSystem twin) {
    return twin == UnitSystem::Gravitational ? kGravitationalForm : kSIForm;
}

QSize InputForm::clientSize(double dpi) {
    // The fields and buttons fill the top 6000 twips; the warnings below.
    return twipsRect(0, 0, 6240, 7515, dpi).size();
}

InputForm::InputForm(const InputFormProfile& profile, DesignDocument& document, MessageSink& messages,
                     QWidget* parent)
    : QWidget(parent), m_profile(profile), m_document(document), m_messages(messages),
      m_dpi(logicalDpiOf(parent)) {
    setObjectName(QLatin1String(profile.objectName));
    setWindowTitle(QStringLiteral("入力データ"));
    setFont(gothicFont(9));
    setFixedSize(clientSize(m_dpi));

    m_tab = new QTabWidget(this);
    m_tab->setObjectName("SSTab1");
    place(m_tab, QRect(120, 120, 6015, 4695));
    auto* shapePage = new QWidget;
    shapePage->setObjectName("SSTab1_Page0");
    auto* rebarPage = new QWidget;
    rebarPage->setObjectName("SSTab1_Page1");
    m_tab->addTab(shapePage, QStringLiteral("形状寸法"));
    m_tab->addTab(rebarPage, QStringLiteral("鉄筋データ"));
    m_pages = {shapePage, rebarPage};
    buildShapePage(shapePage);
    buildRebarPage(rebarPage);
    m_tab->setCurrentIndex(0);

    // Children of the pages are placed relative to the tab control; the pages
    // sit below the tab strip, so they are moved whenever the pages move.
    m_tab->installEventFilter(this);
    if (auto* stack = m_tab->findChild<QStackedWidget*>())
        stack->installEventFilter(this);
    for (QWidget* page : m_pages)
        page->installEventFilter(this);

    auto* note = addLabel(this, "Label25",
                          QStringLiteral("データを変更した場合、okを押してフォームを閉じて下さい。"
                                         "okを押さない場合は計算結果に反映されません。"),
                          QRect(120, 5040, 3255, 735));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("Command_ok");
    place(ok, QRect(3600, 5520, 1215, 375));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName("Command2");
    place(cancel, QRect(4920, 5520, 1215, 375));
    auto* propose = new QPushButton(QStringLiteral("自動選定"), this);
    propose->setObjectName("Command3");
    place(propose, QRect(3600, 5040, 1215, 375));
    propose->setAutoDefault(true);
    // Enter presses the button that has the focus, OK anywhere else
    // (keyPressEvent); OK is drawn as the default.
    ok->setDefault(true);
    ok->setAutoDefault(true);
    cancel->setAutoDefault(true);
    setUpKeyboard(ok, cancel);

    m_findings = new FindingsList(this);
    m_findings->setObjectName("lstFindings");
    place(m_findings, QRect(120, 6000, 6015, 1395));

    connect(ok, &QPushButton::clicked, this, &InputForm::acceptInput);
    connect(cancel, &QPushButton::clicked, this, &InputForm::cancelInput);
    connect(propose, &QPushButton::clicked, this, &InputForm::proposeBars);
    connect(m_text[12], &QLineEdit::textChanged, this, &InputForm::updateLayer1Area);
    connect(m_text[14], &QLineEdit::textChanged, this, &InputForm::updateLayer2Area);
    connect(m_list1, &QListWidget::itemSelectionChanged, this, &InputForm::updateLayer1Area);
    connect(m_list2, &QListWidget::itemSelectionChanged, this, &InputForm::updateLayer2Area);
    for (QLineEdit* box : m_text) {
        if (box)
            connect(box, &QLineEdit::textChanged, this, &InputForm::typedInputsChanged);
    }
    for (QListWidget* list : {m_list1, m_list2})
        connect(list, &QListWidget::itemSelectionChanged, this, &InputForm::typedInputsChanged);
    for (int box : {6, 7, 11})
        connect(m_text[box], &QLineEdit::textChanged, this, &InputForm::firstRowFromBoxes);
    connect(this, &InputForm::typedInputsChanged, this, &InputForm::updateFindings);
    // The unit system and the spacing rule come from outside the form.
    connect(&m_document, &DesignDocument::inputsChanged, this, &InputForm::updateFindings);
    connect(&m_document, &DesignDocument::spacingRuleChanged, this, &InputForm::updateFindings);

    loadInputs();
}

// The order the eye reads the fields in; the area boxes are written by the
// form, so Tab passes them by (a click still reaches them, to copy). Ctrl+
// PgDn and Ctrl+PgUp turn the pages wherever the focus is in the form.
void InputForm::setUpKeyboard(QPushButton* ok, QPushButton* cancel) {
    m_text[13]->setFocusPolicy(Qt::ClickFocus);
    m_text[15]->setFocusPolicy(Qt::ClickFocus);
    QList<QWidget*> order = {m_text[1], m_text[2], m_text[3], m_text[4], m_text[5],
                             m_text[6], m_text[7], m_cases};
    for (const char* name : {"cmdAddCase", "cmdRemoveCase", "cmdCaseUp", "cmdCaseDown"})
        order << findChild<QPushButton*>(QLatin1String(name));
    order << QList<QWidget*>{m_text[8],  m_text[9],  m_list1,    m_text[12], m_list2,
                             m_text[14], m_text[10], m_text[11], ok,         cancel};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    auto turn = [this](int step) {
        const int count = m_tab->count();
        m_tab->setCurrentIndex((m_tab->currentIndex() + step + count) % count);
        // The first field of the page, so that typing goes on there.
        (m_tab->currentIndex() == 0 ? m_text[1] : m_text[8])->setFocus(Qt::TabFocusReason);
    };
    // Ctrl+Tab is left to the workspace, which switches windows with it; in
    // a form of its own the tab control takes it.
    const std::pair<QKeySequence, int> keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                                 {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [key, step] : keys) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [turn, step = step] { turn(step); });
    }
}

void InputForm::keyPressEvent(QKeyEvent* event) {
    // What a focused field or list leaves unhandled.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            acceptInput();
            return;
        }
        break;
    case Qt::Key_Escape:
        cancelInput();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void InputForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The form opens at its first field, H1, on the first page, however it
    // was left; the text is selected, so that typing replaces it.
    if (event->spontaneous())
        return;
    m_tab->setCurrentIndex(0);
    focusFirstField();
    // Once the window is in front again, where showing it may have put the
    // focus elsewhere.
    QMetaObject::invokeMethod(this, &InputForm::focusFirstField, Qt::QueuedConnection);
}

void InputForm::focusFirstField() {
    if (!isVisible() || m_tab->currentIndex() != 0)
        return;
    m_text[1]->setFocus(Qt::OtherFocusReason);
    m_text[1]->selectAll();
}

void InputForm::buildShapePage(QWidget* page) {
    auto* beam = new QGroupBox(QStringLiteral("梁寸法  (m)"), page);
    beam->setObjectName("Frame1");
    placeOnPage(page, beam, QRect(240, 480, 2775, 3735));
    const char* captions[] = {
        "先端高    H1=", "付根高    H2=", "張出長       l=", "橋軸方向幅 b=", "支承位置 a="};
    for (int row = 0; row < 5; ++row) {
        const int top = 480 + row * 600;
        addLabel(beam, QByteArray("Label") + QByteArray::number(row + 1), textOf(captions[row]),
                 QRect(120, top + 60, 1440, 255));
        m_text[row + 1] = addTextBox(beam, QByteArray("Text") + QByteArray::number(row + 1),
                                     QRect(1560, top, 855, 375));
    }
    addLabel(beam, "Label6", QStringLiteral("(付根より) "), QRect(120, 3240, 1440, 255));

    auto* reactions = new QGroupBox(textOf(m_profile.reactionFrameTitle), page);
    reactions->setObjectName("Frame2");
    placeOnPage(page, reactions, QRect(3120, 480, 2655, 1455));
    addLabel(reactions, "Label7", QStringLiteral("鉛直力"), QRect(120, 300, 1440, 255));
    m_text[6] = addTextBox(reactions, "Text6", QRect(1560, 240, 855, 375));
    addLabel(reactions, "Label8", QStringLiteral("直角方向水平力"), QRect(120, 780, 1440, 255));
    m_text[7] = addTextBox(reactions, "Text7", QRect(1560, 720, 855, 375));
    buildCaseTable(page);
}

// The load cases below the reactions: the first row is what the reaction
// boxes and σsa hold.
void InputForm::buildCaseTable(QWidget* page) {
    auto* frame = new QGroupBox(QStringLiteral("荷重ケース"), page);
    frame->setObjectName("FrameCases");
    placeOnPage(page, frame, QRect(3120, 2000, 2655, 2215));
    m_cases = new QTableWidget(0, 4, frame);
    m_cases->setObjectName("tblCases");
    m_cases->setHorizontalHeaderLabels(
        {QStringLiteral("名称"), QStringLiteral("P"), QStringLiteral("H"), QStringLiteral("σsa")});
    m_cases->setFont(gothicFont(8));
    m_cases->horizontalHeader()->setFont(gothicFont(8));
    m_cases->verticalHeader()->setFont(gothicFont(8));
    m_cases->verticalHeader()->setDefaultSectionSize(twipsToPixels(255, m_dpi));
    m_cases->horizontalHeader()->setMinimumSectionSize(8);
    m_cases->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < 4; ++column)
        m_cases->setColumnWidth(column, twipsToPixels(480, m_dpi));
    m_cases->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table; the arrows move between the cells, typing or F2
    // edits one.
    m_cases->setTabKeyNavigation(false);
    m_cases->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    place(m_cases, QRect(60, 240, 2535, 1500));
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdAddCase", "追加"}, {"cmdRemoveCase", "削除"}, {"cmdCaseUp", "↑"}, {"cmdCaseDown", "↓"}};
    const QRect places[] = {{60, 1800, 630, 330}, {720, 1800, 630, 330},
                            {1380, 1800, 570, 330}, {1980, 1800, 570, 330}};
    QList<QPushButton*> made;
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromUtf8(buttons[i].second), frame);
        button->setObjectName(QLatin1String(buttons[i].first));
        button->setAutoDefault(true);
        place(button, places[i]);
        made << button;
    }
    made[0]->setToolTip(QStringLiteral("ケースを追加 (Insert)"));
    made[1]->setToolTip(QStringLiteral("ケースを削除 (Delete)"));
    made[2]->setToolTip(QStringLiteral("上へ (Ctrl+↑)"));
    made[3]->setToolTip(QStringLiteral("下へ (Ctrl+↓)"));
    connect(made[0], &QPushButton::clicked, this, &InputForm::addCase);
    connect(made[1], &QPushButton::clicked, this, &InputForm::removeCase);
    connect(made[2], &QPushButton::clicked, this, [this] { moveCase(-1); });
    connect(made[3], &QPushButton::clicked, this, [this] { moveCase(1); });
    // Insert, Delete, Ctrl+Up and Ctrl+Down in the table (not while a cell
    // is edited) go to the buttons' actions: see eventFilter.
    m_cases->installEventFilter(this);
    connect(m_cases, &QTableWidget::itemChanged, this, &InputForm::caseEdited);
}

void InputForm::buildRebarPage(QWidget* page) {
    const UnitTable& units = unitTable(m_profile.system);
    auto* main = new QGroupBox(QStringLiteral("主鉄筋"), page);
    main->setObjectName("Frame3");
    placeOnPage(page, main, QRect(240, 480, 5535, 2895));

    addLabel(main, "Label9", QStringLiteral("被  り     t="), QRect(120, 375, 1200, 255));
    m_text[8] = addTextBox(main, "Text8", QRect(1320, 360, 855, 270));
    addLabel(main, "Label10", QStringLiteral("（") + textOf(units.cover) + QStringLiteral("）"),
             QRect(2220, 375, 600, 255));
    addLabel(main, "Label11", QStringLiteral("鉄筋間隔  c="), QRect(2820, 375, 1140, 255));
    m_text[9] = addTextBox(main, "Text9", QRect(3960, 360, 855, 270));
    addLabel(main, "Label12", bracketed(units.cover), QRect(4860, 375, 600, 255));

    auto* first = addLabel(main, "Label13", QStringLiteral("１段目"), QRect(1320, 960, 855, 210));
    first->setAlignment(Qt::AlignCenter);
    auto* second = addLabel(main, "Label14", QStringLiteral("２段目"), QRect(3960, 960, 855, 210));
    second->setAlignment(Qt::AlignCenter);
    m_list1 = addBarList(main, "List1", QRect(1320, 1170, 855, 600));
    m_list2 = addBarList(main, "List2", QRect(3960, 1170, 855, 600));

    addLabel(main, "Label15", QStringLiteral("本数     n="), QRect(120, 1815, 1200, 255));
    m_text[12] = addTextBox(main, "Text12", QRect(1320, 1800, 855, 270));
    addLabel(main, "Label16", QStringLiteral("(本)"), QRect(2220, 1815, 600, 255));
    addLabel(main, "Label17", QStringLiteral("鉄筋量 As="), QRect(120, 2295, 1200, 255));
    m_text[13] = addTextBox(main, "Text13", QRect(1320, 2280, 855, 270));
    addLabel(main, "Label18", bracketed(units.area), QRect(2220, 2295, 600, 255));

    addLabel(main, "Label19", QStringLiteral("本数     n="), QRect(2820, 1815, 1140, 255));
    m_text[14] = addTextBox(main, "Text14", QRect(3960, 1800, 855, 270));
    addLabel(main, "Label20", QStringLiteral("鉄筋量 As="), QRect(2820, 2295, 1140, 255));
    m_text[15] = addTextBox(main, "Text15", QRect(3960, 2280, 855, 270));
    if (m_profile.unitsBesideSecondLayer) {
        addLabel(main, "Label26", QStringLiteral("(本)"), QRect(4860, 1815, 600, 255));
        addLabel(main, "Label27", bracketed(units.area), QRect(4860, 2295, 600, 255));
    }
    // The area boxes are written by the form only.
    m_text[13]->setReadOnly(true);
    m_text[15]->setReadOnly(true);

    auto placeRow = [&](QLabel* label, QRect twips) { placeOnPage(page, label, twips); };
    auto* weight = new QLabel(QStringLiteral("コンクリートの単位体積重量"), page);
    weight->setObjectName("Label21");
    placeRow(weight, QRect(360, 3735, 2640, 255));
    auto* gamma = new QLabel(QStringLiteral("γc ="), page);
    gamma->setObjectName("Label22");
    placeRow(gamma, QRect(3000, 3735, 600, 255));
    m_text[10] = addTextBox(page, "Text10", QRect());
    placeOnPage(page, m_text[10], QRect(3600, 3720, 1215, 270));
    auto* weightUnit = new QLabel(bracketed(units.unitWeight), page);
    weightUnit->setObjectName("Label23");
    placeRow(weightUnit, QRect(5040, 3735, 960, 255));

    auto* stress = new QLabel(QStringLiteral("許容引張応力度"), page);
    stress->setObjectName("Label24");
    placeRow(stress, QRect(360, 4215, 2640, 255));
    auto* sigma = new QLabel(QStringLiteral("σsa="), page);
    sigma->setObjectName("Label28");
    placeRow(sigma, QRect(3000, 4215, 600, 255));
    m_text[11] = addTextBox(page, "Text11", QRect());
    placeOnPage(page, m_text[11], QRect(3600, 4200, 1215, 270));
    auto* stressUnit = new QLabel(bracketed(units.stress), page);
    stressUnit->setObjectName("Label29");
    placeRow(stressUnit, QRect(4920, 4215, 1080, 255));
}

QLabel* InputForm::addLabel(QWidget* parent, const char* name, const QString& text, QRect twips) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    place(label, twips);
    return label;
}

QLineEdit* InputForm::addTextBox(QWidget* parent, const char* name, QRect twips) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromUtf8(name));
    if (twips.isValid())
        place(box, twips);
    return box;
}

QListWidget* InputForm::addBarList(QWidget* parent, const char* name, QRect twips) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromUtf8(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::string_view designation : kBarDesignations)
        list->addItem(
            QString::fromUtf8(designation.data(), static_cast<qsizetype>(designation.size())));
    place(list, twips);
    fitWholeRows(*list);
    return list;
}

void InputForm::place(QWidget* widget, QRect twips) {
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height(), m_dpi));
}

void InputForm::placeOnPage(QWidget* page, QWidget* widget, QRect twips) {
    m_pageChildren.append({page, Placed{widget, twips}});
    place(widget, twips);
}

void InputForm::placePageChildren(QWidget* page) {
    const QPoint offset = page->mapTo(m_tab, QPoint(0, 0));
    for (const auto& [owner, placed] : std::as_const(m_pageChildren)) {
        if (owner != page)
            continue;
        const QRect r = twipsRect(placed.twips.x(), placed.twips.y(), placed.twips.width(),
                                  placed.twips.height(), m_dpi);
        placed.widget->setGeometry(r.translated(-offset));
    }
}

bool InputForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cases && (event->type() == QEvent::KeyPress ||
                               event->type() == QEvent::ShortcutOverride)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // While a cell is edited its editor has the keys, not the table.
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        std::function<void()> action;
        if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Insert)
            action = [this] { addCase(); };
        else if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Delete)
            action = [this] { removeCase(); };
        else if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_Up)
            action = [this] { moveCase(-1); };
        else if (modifiers == Qt::ControlModifier && key->key() == Qt::Key_Down)
            action = [this] { moveCase(1); };
        if (action) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                action();
            return true;
        }
    }
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        for (QWidget* page : std::as_const(m_pages))
            placePageChildren(page);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void InputForm::loadInputs() {
    const DesignInputs& r = m_document.inputs();
    for (const NumberField& field : kFieldsBeforeBars)
        m_text[field.text]->setText(textOfNumber(r.*field.member));
    selectBar(m_list1, r.layer1Bar);
    m_text[12]->setText(textOfNumber(r.layer1Count));
    selectBar(m_list2, r.layer2Bar);
    m_text[14]->setText(textOfNumber(r.layer2Count));
    loadCases(r);
    // Setting an unchanged text fires no change, so bring the areas into
    // line explicitly.
    updateLayer1Area();
    updateLayer2Area();
    updateFindings();
    m_loaded = typedFields();
}

InputForm::TypedFields InputForm::typedFields() const {
    TypedFields fields;
    for (int n = 1; n <= 15; ++n)
        fields.texts << m_text[n]->text();
    fields.bar1 = selectedRow(m_list1);
    fields.bar2 = selectedRow(m_list2);
    for (int row = 0; row < m_cases->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column) {
            const QTableWidgetItem* item = m_cases->item(row, column);
            cells << (item ? item->text() : QString());
        }
        fields.cases << cells;
    }
    return fields;
}

void InputForm::restoreTypedFields(const TypedFields& fields) {
    for (int n = 1; n <= 15 && n <= fields.texts.size(); ++n)
        m_text[n]->setText(fields.texts[n - 1]);
    selectRow(m_list1, fields.bar1);
    selectRow(m_list2, fields.bar2);
    if (!fields.cases.isEmpty()) {
        m_syncing = true;
        m_cases->setRowCount(0);
        for (int row = 0; row < fields.cases.size(); ++row) {
            m_cases->insertRow(row);
            setCaseCells(row, fields.cases[row]);
        }
        m_syncing = false;
        firstRowFromBoxes();
        renumberCases();
    }
    // The area boxes are the form's own: in this form's units.
    updateLayer1Area();
    updateLayer2Area();
}

DesignInputs InputForm::inputsAsTyped() const {
    DesignInputs typed = m_document.inputs();
    readFields(m_text, m_list1, m_list2, typed);
    readCases(typed);
    return typed;
}

bool InputForm::hasUnconfirmedEdits() const {
    return !(typedFields() == m_loaded);
}

// A cell of the case table as messages name it: "荷重ケース 2 の P".
QString InputForm::caseCellCaption(int row, int column) const {
    return QStringLiteral("荷重ケース %1 の %2")
        .arg(row + 1)
        .arg(m_cases->horizontalHeaderItem(column)->text());
}

bool InputForm::storeInputs() {
    DesignInputs updated = m_document.inputs();
    const NumberField* bad = readFields(m_text, m_list1, m_list2, updated);
    const auto [badRow, badColumn] = readCases(updated);
    if (!bad && badRow >= 0) {
        // A later case's cell: named, and the cell made current.
        QTableWidgetItem* cell = m_cases->item(badRow, badColumn);
        const QString text = cell ? cell->text().trimmed() : QString();
        m_messages.showMessage(this, notANumberMessage(caseCellCaption(badRow, badColumn), text),
                               QMessageBox::Warning);
        m_tab->setCurrentIndex(0);
        m_cases->setCurrentCell(badRow, badColumn);
        m_cases->setFocus();
        return false;
    }
    if (!bad) {
        m_document.setInputs(updated);
        m_loaded = typedFields();
        return true;
    }
    QLineEdit* box = m_text[bad->text];
    const QString caption = textOf(bad->caption).simplified();
    const QString text = box->text().trimmed();
    m_messages.showMessage(this, notANumberMessage(caption, text), QMessageBox::Warning);
    m_tab->setCurrentIndex(bad->page);
    box->setFocus();
    box->selectAll();
    return false;
}

void InputForm::acceptInput() {
    if (!storeInputs())
        return;
    closeHostWindow(this);
}

void InputForm::cancelInput() {
    if (m_profile.cancelHides)
        hideHostWindow(this);
    else
        closeHostWindow(this);
}

void InputForm::updateFindings() {
    // The boxes that hold no number first, as "OK" would name them.
    std::vector<Finding> findings;
    auto checkBox = [&](const NumberField& field) {
        const QLineEdit* box = m_text[field.text];
        if (!numberFromText(box->text()))
            findings.push_back(notANumberFinding(textOf(field.caption).simplified().toStdString(),
                                                 box->text().trimmed().toStdString()));
    };
    for (const NumberField& field : kFieldsBeforeBars)
        checkBox(field);
    checkBox(kLayer1Count);
    checkBox(kLayer2Count);
    // The later cases' cells (the first row is the boxes above).
    for (int row = 1; row < m_cases->rowCount(); ++row) {
        for (int column = 1; column < 4; ++column) {
            const QTableWidgetItem* cell = m_cases->item(row, column);
            const QString text = cell ? cell->text() : QString();
            if (!numberFromText(text))
                findings.push_back(notANumberFinding(caseCellCaption(row, column).toStdString(),
                                                     text.trimmed().toStdString()));
        }
    }
    // What the checks say of such a box (that its value is not a number
    // either way) would only repeat it.
    const bool anyBox = !findings.empty();
    const DesignInputs typed = inputsAsTyped();
    const std::vector<DesignResults> fresh(static_cast<std::size_t>(caseCount(typed)));
    for (Finding& finding : findCaseWarnings(typed, fresh, m_document.spacingRule())) {
        const bool aboutBox = std::any_of(finding.values.begin(), finding.values.end(),
                                          [](const FindingValue& v) { return std::isnan(v.value); });
        if (!anyBox || !aboutBox)
            findings.push_back(std::move(finding));
    }
    m_findings->showFindings(findings);
}

void InputForm::proposeBars() {
    const DesignInputs typed = inputsAsTyped();
    auto* window = new BarProposalWindow(haltrix::proposeBars(typed, m_document.spacingRule(), 5),
                                         typed.unitSystem, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &BarProposalWindow::arrangementChosen, this, &InputForm::fillBars);
    window->open();
}

void InputForm::fillBars(const BarArrangement& bars) {
    selectBar(m_list1, bars.layer1Bar);
    m_text[12]->setText(textOfNumber(bars.layer1Count));
    selectBar(m_list2, bars.layer2Bar);
    m_text[14]->setText(textOfNumber(bars.layer2Count));
}

void InputForm::loadCases(const DesignInputs& inputs) {
    m_syncing = true;
    m_cases->setRowCount(0);
    const std::vector<LoadCase> cases = haltrix::loadCases(inputs);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        m_cases->insertRow(static_cast<int>(i));
        setCaseRow(static_cast<int>(i), cases[i]);
    }
    m_syncing = false;
    firstRowFromBoxes();
    renumberCases();
}

void InputForm::setCaseRow(int row, const LoadCase& loadCase) {
    setCaseCells(row, {QString::fromStdString(loadCase.name), textOfNumber(loadCase.P),
                       textOfNumber(loadCase.H), textOfNumber(loadCase.sigmaSa)});
}

void InputForm::setCaseCells(int row, const QStringList& cells) {
    for (int column = 0; column < 4; ++column) {
        auto* item = new QTableWidgetItem(cells.value(column));
        if (column > 0)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_cases->setItem(row, column, item);
    }
}

// The first row holds what the boxes hold, as typed.
void InputForm::firstRowFromBoxes() {
    if (m_syncing || !m_cases || m_cases->rowCount() == 0)
        return;
    m_syncing = true;
    const int boxes[] = {6, 7, 11};
    for (int column = 1; column < 4; ++column) {
        QTableWidgetItem* item = m_cases->item(0, column);
        if (item && item->text() != m_text[boxes[column - 1]]->text())
            item->setText(m_text[boxes[column - 1]]->text());
    }
    m_syncing = false;
}

void InputForm::boxesFromFirstRow() {
    if (m_syncing || m_cases->rowCount() == 0)
        return;
    m_syncing = true;
    const int boxes[] = {6, 7, 11};
    for (int column = 1; column < 4; ++column) {
        const QTableWidgetItem* item = m_cases->item(0, column);
        m_text[boxes[column - 1]]->setText(item ? item->text() : QString());
    }
    m_syncing = false;
}

void InputForm::caseEdited(QTableWidgetItem* item) {
    if (m_syncing)
        return;
    if (item->row() == 0 && item->column() > 0)
        boxesFromFirstRow();
    if (item->column() == 0)
        renumberCases();
    emit typedInputsChanged();
}

// Each row's number, and a name left empty shown as the windows name it.
void InputForm::renumberCases() {
    const bool wasSyncing = m_syncing;
    m_syncing = true;
    for (int row = 0; row < m_cases->rowCount(); ++row) {
        m_cases->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(row + 1)));
        if (QTableWidgetItem* name = m_cases->item(row, 0))
            name->setToolTip(name->text().isEmpty()
                                 ? QStringLiteral("名称なし: 「ケース %1」と表示します").arg(row + 1)
                                 : QString());
    }
    m_syncing = wasSyncing;
}

std::pair<int, int> InputForm::readCases(DesignInputs& inputs) const {
    std::pair<int, int> firstBad{-1, -1};
    std::vector<LoadCase> cases;
    for (int row = 0; row < m_cases->rowCount(); ++row) {
        LoadCase loadCase;
        const QTableWidgetItem* name = m_cases->item(row, 0);
        QString text = name ? name->text() : QString();
        // A name keeps to its line of the design file.
        text.replace(QLatin1Char('\t'), QLatin1Char(' '))
            .replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        loadCase.name = text.toStdString();
        // The first case's values are the boxes', already read.
        cases.push_back(std::move(loadCase));
        if (row == 0) {
            cases.back().P = inputs.P;
            cases.back().H = inputs.H;
            cases.back().sigmaSa = inputs.sigmaSa;
            continue;
        }
        LoadCase& later = cases.back();
        double* const values[] = {&later.P, &later.H, &later.sigmaSa};
        for (int column = 1; column < 4; ++column) {
            const QTableWidgetItem* cell = m_cases->item(row, column);
            const std::optional<double> value = numberFromText(cell ? cell->text() : QString());
            *values[column - 1] = value.value_or(std::numeric_limits<double>::quiet_NaN());
            if (!value && firstBad.first < 0)
                firstBad = {row, column};
        }
    }
    if (!cases.empty())
        setLoadCases(inputs, cases);
    return firstBad;
}

void InputForm::addCase() {
    const int current = std::max(0, m_cases->currentRow());
    const int row = m_cases->rowCount() == 0 ? 0 : current + 1;
    LoadCase copy;
    if (m_cases->rowCount() > 0) {
        copy = caseAt(inputsAsTyped(), current);
        copy.name.clear();
        for (double* value : {&copy.P, &copy.H, &copy.sigmaSa})
            if (std::isnan(*value))
                *value = 0;
    }
    m_syncing = true;
    m_cases->insertRow(row);
    setCaseRow(row, copy);
    m_syncing = false;
    renumberCases();
    m_cases->setCurrentCell(row, 0);
    m_cases->setFocus();
    emit typedInputsChanged();
}

void InputForm::removeCase() {
    const int row = m_cases->currentRow();
    // A design keeps one case at least.
    if (row < 0 || m_cases->rowCount() <= 1)
        return;
    m_syncing = true;
    m_cases->removeRow(row);
    m_syncing = false;
    if (row == 0)
        boxesFromFirstRow();
    renumberCases();
    m_cases->setCurrentCell(std::min(row, m_cases->rowCount() - 1), m_cases->currentColumn());
    emit typedInputsChanged();
}

void InputForm::moveCase(int step) {
    const int row = m_cases->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= m_cases->rowCount())
        return;
    m_syncing = true;
    for (int column = 0; column < 4; ++column) {
        QTableWidgetItem* a = m_cases->takeItem(row, column);
        QTableWidgetItem* b = m_cases->takeItem(target, column);
        m_cases->setItem(row, column, b);
        m_cases->setItem(target, column, a);
    }
    m_syncing = false;
    if (row == 0 || target == 0)
        boxesFromFirstRow();
    renumberCases();
    m_cases->setCurrentCell(target, std::max(0, m_cases->currentColumn()));
    emit typedInputsChanged();
}

void InputForm::updateLayer1Area() {
    showArea(m_text[12], m_list1, m_text[13]);
}

void InputForm::updateLayer2Area() {
    showArea(m_text[14], m_list2, m_text[15]);
}

void InputForm::showArea(QLineEdit* count, QListWidget* list, QLineEdit* area) {
    // An empty box counts as no bars; so does text that is not a number,
    // which "OK" reports when the user confirms.
    const double n = numberFromText(count->text()).value_or(0.0);
    const double steel =
        layerAreaByIndex(selectedRow(list), n, unitTable(m_profile.system).barColumn);
    area->setText(QString::fromStdString(fixedDecimals(steel, 3)));
}

} // namespace haltrix::gui
