// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "fonts.h"
#include "sketch/sketch_layout.h"

namespace haltrix::print {

namespace {

using namespace sketch;

QColor colourOf(Layer layer) {
    const Rgb rgb = layerColour(layer);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

class Painter {
public:
    explicit Painter(QPainter& painter)
        : m_painter(painter), m_dpi(painter.device() ? painter.device()->logicalDpiY() : 96) {}

    double mm(double millimetres) const { return millimetres * m_dpi / 25.4; }

    // Lines of one pen are drawn in one call and the arrowheads of a layer
    // filled as one path: a paint of the panel beside the input form stays
    // well under a millisecond.
    void paintView(const Placement& p) {
        m_place = &p;
        const View& v = *p.view;
        constexpr std::size_t kLayerCount = 5;
        auto slot = [](Layer layer) { return static_cast<std::size_t>(layer); };
        QVector<QLineF> hatchStrokes;
        std::array<QVector<QLineF>, kLayerCount> lines;
        std::array<QPainterPath, kLayerCount> heads;
        std::vector<const Text*> texts;
        std::vector<Text> dimensionTexts;
        dimensionTexts.reserve(v.dimensions.size());

        auto addLine = [&](const Line& line) {
            lines[slot(line.layer)].append(QLineF(map(line.from), map(line.to)));
        };
        for (const Hatch& hatch : v.hatches) {
            for (const Line& stroke : hatch.strokes)
                hatchStrokes.append(QLineF(map(stroke.from), map(stroke.to)));
        }
        for (const Line& line : v.lines)
            addLine(line);
        for (const Arrow& arrow : v.arrows) {
            addLine(Line{arrow.tail, arrow.tip, arrow.layer});
            addHead(heads[slot(arrow.layer)], map(arrow.tip), map(arrow.tip) - map(arrow.tail),
                    arrow.headLength);
        }
        for (const Dimension& dimension : v.dimensions) {
            const DimensionLayout layout = layoutOf(dimension);
            for (const Line* line : {&layout.extension1, &layout.extension2, &layout.dimensionLine})
                addLine(*line);
            QPainterPath& path = heads[slot(dimension.layer)];
            addHead(path, map(layout.tip1), direction(layout.direction1), dimension.arrowLength);
            addHead(path, map(layout.tip2), direction(layout.direction2), dimension.arrowLength);
            dimensionTexts.push_back(layout.text);
        }
        for (const Text& text : dimensionTexts)
            texts.push_back(&text);
        for (const Text& text : v.texts)
            texts.push_back(&text);

        // Antialiased like everything else: a line of one width then shows
        // one width wherever it falls between the pixels.
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        if (!hatchStrokes.isEmpty()) {
            setPen(Layer::Outline, kHatchPenMm);
            m_painter.drawLines(hatchStrokes);
        }
        for (std::size_t layer = 0; layer < kLayerCount; ++layer) {
            if (lines[layer].isEmpty())
                continue;
            setPen(static_cast<Layer>(layer));
            m_painter.drawLines(lines[layer]);
        }
        m_painter.setRenderHint(QPainter::Antialiasing, true);
        for (const Hatch& hatch : v.hatches) {
            setPen(hatch.layer);
            m_painter.drawPolygon(polygon(hatch.boundary));
        }
        for (const Polyline& polyline : v.polylines) {
            setPen(polyline.layer);
            if (polyline.closed)
                m_painter.drawPolygon(polygon(polyline.points));
            else
                m_painter.drawPolyline(polygon(polyline.points));
        }
        if (!v.circles.empty()) {
            m_painter.setPen(Qt::NoPen);
            for (const Circle& circle : v.circles) {
                m_painter.setBrush(colourOf(circle.layer));
                const double radius = std::max(circle.radius * p.scale, mm(kMinBarRadiusMm));
                m_painter.drawEllipse(map(circle.centre), radius, radius);
            }
        }
        m_painter.setPen(Qt::NoPen);
        for (std::size_t layer = 0; layer < kLayerCount; ++layer) {
            if (heads[layer].isEmpty())
                continue;
            m_painter.setBrush(colourOf(static_cast<Layer>(layer)));
            m_painter.drawPath(heads[layer]);
        }
        m_painter.setBrush(Qt::NoBrush);
        for (const Text* text : texts)
            drawText(*text);
        m_place = nullptr;
    }

    // The height `lines` lines of notes take on the device.
    static double linesHeight(const QPaintDevice* device, int lines) {
        const QFontMetricsF metrics(notesFont(), device);
        return metrics.lineSpacing() * lines;
    }

    // Lines of notes, one below the other from `topLeft`.
    void drawLines(const QStringList& lines, QPointF topLeft) {
        const QFont font = notesFont();
        m_painter.setFont(font);
        m_painter.setPen(QPen(Qt::black));
        const QFontMetricsF metrics(font, m_painter.device());
        double y = topLeft.y();
        for (const QString& line : lines) {
            m_painter.drawText(QPointF(topLeft.x(), y + metrics.ascent()), line);
            y += metrics.lineSpacing();
        }
    }

private:
    static QFont notesFont() { return gui::gothicFont(kNotesPt); }

    QPointF map(Point p) const {
        const Point at = m_place->map(p);
        return {at.x, at.y};
    }

    // A model direction on the device (y turned downwards).
    static QPointF direction(Point d) { return {d.x, -d.y}; }

    QPolygonF polygon(const std::vector<Point>& points) const {
        QPolygonF result;
        for (const Point p : points)
            result << map(p);
        return result;
    }

    void setPen(Layer layer, double widthMm = -1) {
        QPen pen(colourOf(layer));
        // A line not wider than a pixel is drawn one pixel wide, which the
        // raster engine draws several times faster than a fractional width.
        const double width = mm(widthMm < 0 ? penWidthMm(layer) : widthMm);
        pen.setWidthF(width <= 1.0 ? 0.0 : width);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        m_painter.setPen(pen);
    }

    // Adds a filled arrowhead with its tip at `tip`, pointing along
    // `towards` (device coordinates).
    void addHead(QPainterPath& path, QPointF tip, QPointF towards, double lengthMm) const {
        const double norm = std::hypot(towards.x(), towards.y());
        if (!(norm > 0))
            return;
        const double length = std::max(lengthMm * m_place->scale, mm(kMinArrowMm));
        const Triangle t = arrowHead(Point{tip.x(), tip.y()},
                                     Point{towards.x() / norm, towards.y() / norm}, length);
        path.addPolygon(
            QPolygonF{QPointF(t.a.x, t.a.y), QPointF(t.b.x, t.b.y), QPointF(t.c.x, t.c.y)});
        path.closeSubpath();
    }

    // The text font at a pixel size, with its metrics; made once per size.
    struct SizedFont {
        QFont font;
        QFontMetricsF metrics;
    };
    const SizedFont& fontOfSize(double pixels) {
        const int key = static_cast<int>(std::lround(pixels * 16));
        auto found = m_fonts.find(key);
        if (found == m_fonts.end()) {
            QFont font = gui::gothicFont(9);
            font.setPointSizeF(key / 16.0 * 72.0 / m_dpi);
            found = m_fonts.emplace(key, SizedFont{font, QFontMetricsF(font, m_painter.device())})
                        .first;
        }
        return found->second;
    }

    void drawText(const Text& text) {
        const double pixels = std::max(text.height * m_place->scale, kMinTextPt * m_dpi / 72.0);
        const SizedFont& sized = fontOfSize(pixels);
        const QFontMetricsF& metrics = sized.metrics;
        const QString string = QString::fromStdString(text.text);
        double x = 0;
        if (text.hAlign != HAlign::Left) {
            const double width = metrics.horizontalAdvance(string);
            x = text.hAlign == HAlign::Centre ? -width / 2 : -width;
        }
        double baseline = -metrics.descent();
        if (text.vAlign == VAlign::Middle)
            baseline = (metrics.ascent() - metrics.descent()) / 2;
        else if (text.vAlign == VAlign::Top)
            baseline = metrics.ascent();
        m_painter.setFont(sized.font);
        m_painter.setPen(colourOf(text.layer));
        const QPointF at = map(text.at);
        if (text.angle == 0.0) {
            m_painter.drawText(at + QPointF(x, baseline), string);
            return;
        }
        m_painter.save();
        m_painter.translate(at);
        m_painter.rotate(-text.angle);
        m_painter.drawText(QPointF(x, baseline), string);
        m_painter.restore();
    }

    QPainter& m_painter;
    double m_dpi;
    const Placement* m_place = nullptr;
    std::map<int, SizedFont> m_fonts;
};

} // namespace

void paintSketch(QPainter& painter, const Sketch& sketch, const QRectF& area,
                 const QStringList& linesUnder) {
    QStringList lines;
    for (const std::string& note : sketch.notes)
        lines.append(QString::fromStdString(note));
    lines += linesUnder;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    Painter p(painter);
    const double notesHeight = Painter::linesHeight(painter.device(), lines.size());
    const double gap = lines.isEmpty() ? 0 : p.mm(3);
    const QRectF views(area.left(), area.top(), area.width(),
                       std::max(0.0, area.height() - notesHeight - gap));
    for (const Placement& placement :
         arrangeViews(sketch, Area{views.left(), views.top(), views.width(), views.height()}))
        p.paintView(placement);
    if (!lines.isEmpty())
        p.drawLines(lines, QPointF(area.left(), views.bottom() + gap));
    painter.restore();
}

void paintSketchWithIsometric(QPainter& painter, const Sketch& sketch, const View& isometric,
                              const QRectF& area, const QStringList& linesUnder) {
    if (isometric.empty()) {
        paintSketch(painter, sketch, area, linesUnder);
        return;
    }
    const double isometricHeight = area.height() / 3;
    paintSketch(painter, sketch,
                QRectF(area.left(), area.top(), area.width(), area.height() - isometricHeight),
                linesUnder);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    Painter p(painter);
    const double gap = p.mm(3);
    const Area below{area.left(), area.bottom() - isometricHeight + gap, area.width(),
                     std::max(0.0, isometricHeight - gap)};
    for (const Placement& placement : arrangeView(isometric, below))
        p.paintView(placement);
    painter.restore();
}

} // namespace haltrix::print
