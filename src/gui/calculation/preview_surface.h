// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include "paper/report.h"

namespace haltrix::gui {

// The print window's picture surface (Pic): white, in the report font, it
// keeps the lines written on it and shows them one line spacing apart from
// its top-left corner, exactly as the printer sets them. Its size follows
// what was written, so a scroll area around it scrolls a long or wide report.
class PreviewSurface : public QWidget {
    Q_OBJECT

public:
    explicit PreviewSurface(QWidget* parent = nullptr);

    // Where report lines are written on this surface.
    TextTarget& target() { return m_target; }

    // Forgets every line written so far.
    void clear();

    // What was written so far.
    const QStringList& lines() const { return m_lines; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Target : public TextTarget {
    public:
        explicit Target(PreviewSurface& surface) : m_surface(surface) {}
        void writeLine(std::string_view line) override;

    private:
        PreviewSurface& m_surface;
    };

    void append(const QString& line);

    Target m_target{*this};
    QStringList m_lines;
    QSize m_contentSize;
};

} // namespace haltrix::gui
