// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/sketch_window.h"

#include <QPainter>
#include <QVBoxLayout>

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
    refresh();
}

void SketchWindow::refresh() {
    m_view->setSketch(m_source ? m_source() : sketch::Sketch{});
    m_view->setIsometric(m_isometric ? m_isometric() : sketch::View{});
}

} // namespace haltrix::gui
