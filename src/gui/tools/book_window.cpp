// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/book_window.h"

#include <QBrush>
#include <QCheckBox>
#include <QColor>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "paper/book.h"
#include "book_printer.h"
#include "platform/child_windows.h"
#include "core_path.h"
#include "document/file_dialogs.h"
#include "platform/message_sink.h"
#include "report_printer.h"

namespace haltrix::gui {

namespace {

// 工事名 and 設計者 are the print window's; the rest the book's own.
const QString kProjectKey = QStringLiteral("Print/Project");
const QString kDesignerKey = QStringLiteral("Print/Designer");
const QString kTitleKey = QStringLiteral("Book/Title");
const QString kSketchKey = QStringLiteral("Book/SketchPages");
const QString kQuantitiesKey = QStringLiteral("Book/QuantityPages");

const QString kDesignFilter = QStringLiteral("設計データ (*.tvx);;すべてのファイル (*)");

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

QLineEdit* field(const char* name, QWidget* parent) {
    auto* result = new QLineEdit(parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

} // namespace

BookWindow::BookWindow(FileDialogs& fileDialogs, MessageSink& messages,
                       std::function<ClearSpacingRule()> spacingRule, QWidget* parent)
    : QWidget(parent), m_fileDialogs(fileDialogs), m_messages(messages),
      m_spacingRule(std::move(spacingRule)) {
    setObjectName(QStringLiteral("frmBook"));
    setWindowTitle(QStringLiteral("計算書の作成"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstDesigns"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Files dropped on the list reach the window.
    m_list->setAcceptDrops(false);
    m_list->setToolTip(QStringLiteral("設計データファイルをここにドロップしても追加できます"));
    // Room for a path of some length and a dozen designs.
    const QFontMetrics metrics(m_list->font());
    m_list->setMinimumSize(metrics.averageCharWidth() * 60, metrics.lineSpacing() * 12);
    m_add = button(QStringLiteral("追加(&A)..."), "cmdAdd", this);
    m_remove = button(QStringLiteral("削除(&D)"), "cmdRemove", this);
    m_up = button(QStringLiteral("上へ(&U)"), "cmdUp", this);
    m_down = button(QStringLiteral("下へ(&W)"), "cmdDown", this);
    auto* listButtons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_remove, m_up, m_down})
        listButtons->addWidget(b);
    listButtons->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addLayout(listButtons);

    m_title = field("txtTitle", this);
    m_title->setText(QString::fromUtf8(book::kDefaultTitle));
    m_project = field("txtProject", this);
    m_designer = field("txtDesigner", this);
    m_date = field("txtDate", this);
    m_date->setText(print::titleDate(QDate::currentDate()));
    m_sketches = new QCheckBox(QStringLiteral("形状図を含める(&K)"), this);
    m_sketches->setObjectName(QStringLiteral("chkSketch"));
    m_quantities = new QCheckBox(QStringLiteral("数量・鉄筋表を含める(&Q)"), this);
    m_quantities->setObjectName(QStringLiteral("chkQuantities"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("表題(&T)"), m_title);
    fields->addRow(QStringLiteral("工事名(&P)"), m_project);
    fields->addRow(QStringLiteral("設計者(&R)"), m_designer);
    fields->addRow(QStringLiteral("日付(&E)"), m_date);
    fields->addRow(QString(), m_sketches);
    fields->addRow(QString(), m_quantities);

    m_make = button(QStringLiteral("作成(&M)..."), "cmdMake", this);
    m_make->setDefault(true);
    m_close = button(QStringLiteral("閉じる"), "cmdClose", this);
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    actions->addWidget(m_make);
    actions->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow, 1);
    layout->addLayout(fields);
    layout->addLayout(actions);

    connect(m_add, &QPushButton::clicked, this, &BookWindow::addThroughDialog);
    connect(m_remove, &QPushButton::clicked, this, &BookWindow::removeSelected);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(m_make, &QPushButton::clicked, this, &BookWindow::chooseFileAndMake);
    connect(m_close, &QPushButton::clicked, this, [this] { closeHostWindow(this); });
    connect(m_list, &QListWidget::currentRowChanged, this, &BookWindow::updateButtons);
    connect(m_sketches, &QCheckBox::toggled, this, &BookWindow::saveChoices);
    connect(m_quantities, &QCheckBox::toggled, this, &BookWindow::saveChoices);
    for (QLineEdit* box : {m_title, m_project, m_designer})
        connect(box, &QLineEdit::textChanged, this, &BookWindow::saveChoices);
    updateButtons();
}

BookWindow::~BookWindow() = default;

QStringList BookWindow::designFiles() const {
    QStringList files;
    for (int row = 0; row < m_list->count(); ++row)
        files.append(m_list->item(row)->data(Qt::UserRole).toString());
    return files;
}

// Each design by its file name, the whole path in its tool tip.
void BookWindow::addDesignFiles(const QStringList& files) {
    for (const QString& file : files) {
        auto* item = new QListWidgetItem(m_list);
        item->setData(Qt::UserRole, file);
    }
    if (!files.isEmpty())
        m_list->setCurrentRow(m_list->count() - 1);
    refreshMarks();
    updateButtons();
}

void BookWindow::followOpenDesign(OpenDesign design) {
    m_openDesign = std::move(design);
    refreshMarks();
}

bool BookWindow::isOpenDesign(const QString& file) const {
    if (!m_openDesign.fileName)
        return false;
    const QString open = m_openDesign.fileName();
    return !open.isEmpty() &&
           QFileInfo(open).absoluteFilePath() == QFileInfo(file).absoluteFilePath();
}

void BookWindow::refreshMarks() {
    const bool modified = m_openDesign.modified && m_openDesign.modified();
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        const QString file = item->data(Qt::UserRole).toString();
        const bool unsaved = modified && isOpenDesign(file);
        const QString name = QFileInfo(file).fileName();
        item->setText(unsaved ? name + QStringLiteral("  （未保存の変更あり）") : name);
        item->setForeground(unsaved ? QBrush(QColor(0xc0, 0x00, 0x00)) : QBrush());
        item->setToolTip(QDir::toNativeSeparators(file) +
                         (unsaved ? QStringLiteral("\n開いている設計に保存していない変更があります。"
                                                   "作成の前に保存できます。")
                                  : QString()));
    }
}

bool BookWindow::settleUnsavedDesign() {
    if (!m_openDesign.modified || !m_openDesign.modified() || !m_openDesign.askToSave)
        return true;
    const QStringList files = designFiles();
    if (std::none_of(files.begin(), files.end(),
                     [this](const QString& file) { return isOpenDesign(file); }))
        return true;
    switch (m_openDesign.askToSave(QFileInfo(m_openDesign.fileName()).fileName())) {
    case SaveAnswer::Save:
        return m_openDesign.save && m_openDesign.save();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void BookWindow::rememberChoicesIn(SettingsOpener openSettings) {
    m_openSettings = {};
    if (openSettings) {
        const std::unique_ptr<QSettings> settings = openSettings();
        m_title->setText(
            settings->value(kTitleKey, QString::fromUtf8(book::kDefaultTitle)).toString());
        m_project->setText(settings->value(kProjectKey).toString());
        m_designer->setText(settings->value(kDesignerKey).toString());
        m_sketches->setChecked(settings->value(kSketchKey, false).toBool());
        m_quantities->setChecked(settings->value(kQuantitiesKey, false).toBool());
    }
    m_openSettings = std::move(openSettings);
}

void BookWindow::saveChoices() {
    if (!m_openSettings)
        return;
    const std::unique_ptr<QSettings> settings = m_openSettings();
    settings->setValue(kTitleKey, m_title->text());
    settings->setValue(kProjectKey, m_project->text());
    settings->setValue(kDesignerKey, m_designer->text());
    settings->setValue(kSketchKey, m_sketches->isChecked());
    settings->setValue(kQuantitiesKey, m_quantities->isChecked());
}

void BookWindow::addThroughDialog() {
    addDesignFiles(
        m_fileDialogs.getOpenFileNames(this, QStringLiteral("設計ファイルの追加"), kDesignFilter));
}

void BookWindow::removeSelected() {
    delete m_list->takeItem(m_list->currentRow());
    updateButtons();
}

void BookWindow::moveSelected(int step) {
    const int row = m_list->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
}

void BookWindow::updateButtons() {
    const int row = m_list->currentRow();
    m_remove->setEnabled(row >= 0);
    m_up->setEnabled(row > 0);
    m_down->setEnabled(row >= 0 && row + 1 < m_list->count());
    m_make->setEnabled(m_list->count() > 0);
}

void BookWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void BookWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        closeHostWindow(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

void BookWindow::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    addDesignFiles(files);
    event->acceptProposedAction();
}

// The book is made from the saved files: an open design with unsaved
// changes is offered to be saved first. The save dialog starts in the open
// design's folder (else the first design's), named after the title.
void BookWindow::chooseFileAndMake() {
    if (!settleUnsavedDesign())
        return;
    refreshMarks();
    QString folder;
    const QStringList files = designFiles();
    for (const QString& file : files) {
        if (isOpenDesign(file))
            folder = QFileInfo(file).absolutePath();
    }
    if (folder.isEmpty() && !files.isEmpty())
        folder = QFileInfo(files.front()).absolutePath();
    QString name = m_title->text().trimmed();
    if (name.isEmpty())
        name = QString::fromUtf8(book::kDefaultTitle);
    for (const QChar bad : QStringLiteral("\\/:*?\"<>|"))
        name.replace(bad, QLatin1Char('_'));
    const QString path = m_fileDialogs.getExportFileName(
        this, QStringLiteral("計算書の保存"), QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"),
        folder.isEmpty() ? QString() : QDir(folder).filePath(name + QStringLiteral(".pdf")));
    if (!path.isEmpty())
        makeBook(path);
}

bool BookWindow::makeBook(const QString& path) {
    const QStringList files = designFiles();
    const ClearSpacingRule rule = m_spacingRule ? m_spacingRule() : ClearSpacingRule{};
    std::vector<book::BookDesign> designs(static_cast<std::size_t>(files.size()));
    QStringList unreadable;
    QStringList stopped;
    for (qsizetype i = 0; i < files.size(); ++i) {
        book::BookDesign& design = designs[static_cast<std::size_t>(i)];
        const QString name = QFileInfo(files[i]).fileName();
        if (const auto error =
                book::readBookDesign(pathForCore(files[i]), name.toStdString(), rule, design))
            unreadable.append(QString::fromStdString(error->message()));
        else if (design.results.message)
            stopped.append(name + QStringLiteral(": ") + QString::fromStdString(*design.results.message));
    }
    if (!unreadable.isEmpty()) {
        m_messages.showMessage(this,
                               QStringLiteral("読めない設計ファイルがあるため、計算書を作成しません"
                                              "でした。一覧を直してください。\n\n") +
                                   unreadable.join(QLatin1Char('\n')),
                               QMessageBox::Warning);
        return false;
    }

    book::BookTitle title;
    if (!m_title->text().trimmed().isEmpty())
        title.title = m_title->text().trimmed().toStdString();
    title.project = m_project->text().trimmed().toStdString();
    title.designer = m_designer->text().trimmed().toStdString();
    title.date = m_date->text().trimmed().toStdString();

    const int total = static_cast<int>(designs.size());
    QProgressDialog progress(QStringLiteral("計算書を作成しています (0 / %1)").arg(total),
                             QStringLiteral("キャンセル"), 0, total, this);
    progress.setObjectName(QStringLiteral("dlgBookProgress"));
    progress.setWindowTitle(QStringLiteral("計算書の作成"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setValue(0);
    const print::BookOutcome outcome =
        print::writeBook(designs, title, m_sketches->isChecked(), path, [&](int done, int all) {
            progress.setLabelText(
                QStringLiteral("計算書を作成しています (%1 / %2)").arg(done).arg(all));
            progress.setValue(done);
            return !progress.wasCanceled();
        }, m_quantities->isChecked());
    progress.close();

    switch (outcome.status) {
    case print::BookOutcome::Status::Cancelled:
        return false;
    case print::BookOutcome::Status::Failed:
        m_messages.showMessage(this, outcome.failure, QMessageBox::Warning);
        return false;
    case print::BookOutcome::Status::Written:
        break;
    }
    QString text = QStringLiteral("計算書 %1 を作成しました（%2 ページ）。")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(outcome.pages);
    if (!stopped.isEmpty())
        text += QStringLiteral("\n\n計算できなかった設計があります（目次に「計算不能」）:\n") +
                stopped.join(QLatin1Char('\n'));
    if (!outcome.navigation)
        text += QStringLiteral("\n\nこの版の Haltrix は PDF のしおりとリンクを書けないため、"
                               "計算書にしおりとリンクはありません。");
    m_messages.showMessage(this, text,
                           stopped.isEmpty() ? QMessageBox::Information : QMessageBox::Warning);
    return true;
}

} // namespace haltrix::gui
