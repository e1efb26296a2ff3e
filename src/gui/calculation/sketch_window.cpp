// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/sketch_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

#include "document/file_dialogs.h"
#include "platform/message_sink.h"
#include "sketch/sketch_svg.h"
#include "sketch_export.h"
#include "sketch_painter.h"

namespace haltrix::gui {

namespace {

// Room between the drawing and the edge of the view, pixels.
constexpr int kMargin = 8;

} // namespace

SketchView::SketchView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SketchView"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumSize(160, 120);
}

void SketchView::setSketch(sketch::Sketch sketch) {
    m_sketch = std::move(sketch);
    update();
}

void SketchView::setIsometric(sketch::View isometric) {
    m_isometric = std::move(isometric);
    update();
}

QSize SketchView::sizeHint() const {
    return QSize(560, 420);
}

void SketchView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Antialiased, so that lines of one width look one width wherever they fall.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), Qt::white);
    print::paintSketchWithIsometric(painter, m_sketch, m_isometric,
                                    QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin));
}

SketchWindow::SketchWindow(const QString& title, Source source, QWidget* parent,
                           IsometricSource isometric)
    : QWidget(parent), m_source(std::move(source)), m_isometric(std::move(isometric)) {
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new SketchView(this);
    layout->addWidget(m_view);

    m_save = new QAction(QStringLiteral("保存(&S)..."), this);
    m_save->setObjectName(QStringLiteral("mnuSketchSave"));
    m_save->setShortcut(QKeySequence::Save);
    m_save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_copy = new QAction(QStringLiteral("コピー(&C)"), this);
    m_copy->setObjectName(QStringLiteral("mnuSketchCopy"));
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_save, &QAction::triggered, this, &SketchWindow::saveThroughDialog);
    connect(m_copy, &QAction::triggered, this, &SketchWindow::copyToClipboard);
    addAction(m_save);
    addAction(m_copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    refresh();
}

SketchWindow::~SketchWindow() = default;

void SketchWindow::setExportServices(FileDialogs* dialogs, MessageSink* messages) {
    m_dialogs = dialogs;
    m_messages = messages;
}

// The window's own menu (its icon's) offers the same, once it has one.
void SketchWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_inWindowMenu)
        return;
    if (auto* host = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (QMenu* menu = host->systemMenu()) {
            QAction* first = menu->actions().value(0);
            menu->insertAction(first, m_save);
            menu->insertAction(first, m_copy);
            menu->insertSeparator(first);
            m_inWindowMenu = true;
        }
    }
}

bool SketchWindow::saveTo(const QString& path) {
    const QString title = windowTitle();
    if (print::writeSketchFile(m_view->sketch(), path, title))
        return true;
    MessageSink& messages = m_messages ? *m_messages : defaultMessageSink();
    messages.showMessage(this,
                         print::sketchFormatOf(path) == print::SketchFormat::Unknown
                             ? QStringLiteral("形状図は .svg、.png、.dxf、.pdf のいずれかで保存"
                                              "してください: ") +
                                   path
                             : QStringLiteral("ファイル「") + path + QStringLiteral("」に書き込めません"),
                         QMessageBox::Warning);
    return false;
}

void SketchWindow::saveThroughDialog() {
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<QtFileDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    const QString path = m_dialogs->getExportFileName(
        this, QStringLiteral("形状図の保存"),
        QStringLiteral("SVG (*.svg);;PNG (*.png);;DXF (*.dxf);;PDF (*.pdf)"),
        QStringLiteral("svg"));
    if (!path.isEmpty())
        saveTo(path);
}

// The picture for documents and mail, and its SVG for drawing programs.
void SketchWindow::copyToClipboard() {
    auto* data = new QMimeData;
    data->setImageData(print::sketchImage(m_view->sketch()));
    const std::string svg = sketch::svgText(m_view->sketch(), windowTitle().toStdString(), 1600);
    data->setData(QStringLiteral("image/svg+xml"),
                  QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    QApplication::clipboard()->setMimeData(data);
}

void SketchWindow::refresh() {
    m_view->setSketch(m_source ? m_source() : sketch::Sketch{});
    m_view->setIsometric(m_isometric ? m_isometric() : sketch::View{});
}

} // namespace haltrix::gui
