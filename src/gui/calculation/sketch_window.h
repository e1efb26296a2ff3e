// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

#include "sketch/sketch.h"

namespace haltrix::gui {

// The sketch of the bracket on white, filling the widget, painted by the
// same routine as the printed page.
class SketchView : public QWidget {
    Q_OBJECT

public:
    explicit SketchView(QWidget* parent = nullptr);

    void setSketch(sketch::Sketch sketch);
    const sketch::Sketch& sketch() const { return m_sketch; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    sketch::Sketch m_sketch;
};

// A child window "形状図" that shows the sketch `source` builds and builds
// it again whenever refresh() is called: beside the input form it follows
// the values as they are typed, beside the result window the calculation.
class SketchWindow : public QWidget {
    Q_OBJECT

public:
    using Source = std::function<sketch::Sketch()>;

    SketchWindow(const QString& title, Source source, QWidget* parent = nullptr);

    const SketchView& view() const { return *m_view; }

    // Builds the sketch again from the source and repaints it.
    void refresh();

private:
    Source m_source;
    SketchView* m_view = nullptr;
};

} // namespace haltrix::gui
