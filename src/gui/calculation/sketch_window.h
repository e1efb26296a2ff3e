// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class QAction;

#include "sketch/sketch.h"

namespace haltrix::gui {

// The sketch of the bracket on white, filling the widget, painted by the
// same routine as the printed page, with the isometric view of the 3D model
// (立体図) below it when one is given.
class SketchView : public QWidget {
    Q_OBJECT

public:
    explicit SketchView(QWidget* parent = nullptr);

    void setSketch(sketch::Sketch sketch);
    const sketch::Sketch& sketch() const { return m_sketch; }
    void setIsometric(sketch::View isometric);
    const sketch::View& isometric() const { return m_isometric; }

    QSize sizeHint() const override;
    // The least width at which the sketch of a usual bracket shows every
    // text, raised to its least size on screen, clear of the others: the
    // sketch windows open no narrower where the area has room for it.
    static constexpr int kReadableWidth = 640;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    sketch::Sketch m_sketch;
    sketch::View m_isometric;
};

class FileDialogs;
class MessageSink;

// A child window "形状図" that shows the sketch `source` builds (and the
// isometric view `isometric` builds, when given) and builds them again
// whenever refresh() is called: beside the input form it follows the values
// as they are typed, beside the result window the calculation.
// 保存 (SVG, PNG, DXF or PDF, by the writers of haltrix-calc sketch) and
// コピー (the picture and its SVG to the clipboard) are in its context menu
// and in the window's own menu.
class SketchWindow : public QWidget {
    Q_OBJECT

public:
    using Source = std::function<sketch::Sketch()>;
    using IsometricSource = std::function<sketch::View()>;

    SketchWindow(const QString& title, Source source, QWidget* parent = nullptr,
                 IsometricSource isometric = {});
    ~SketchWindow() override;

    const SketchView& view() const { return *m_view; }

    // Builds the sketch again from the source and repaints it.
    void refresh();

    // The dialogs 保存 asks with and tells a failure through; by default the
    // system's. They must outlive the window.
    void setExportServices(FileDialogs* dialogs, MessageSink* messages);
    // Writes the sketch to `path` in the format of its extension; false
    // (after saying so) when it could not.
    bool saveTo(const QString& path);
    void saveThroughDialog();
    void copyToClipboard();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Source m_source;
    IsometricSource m_isometric;
    SketchView* m_view = nullptr;
    QAction* m_save = nullptr;
    QAction* m_copy = nullptr;
    std::unique_ptr<FileDialogs> m_ownDialogs;
    FileDialogs* m_dialogs = nullptr;
    MessageSink* m_messages = nullptr;
    bool m_inWindowMenu = false;
};

} // namespace haltrix::gui
