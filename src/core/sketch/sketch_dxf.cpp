// SPDX-License-Identifier: GPL-3.0-or-later
#include "sketch/sketch_dxf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string_view>
#include <vector>

#include "paper/utf8.h"

namespace haltrix::sketch {

namespace {

// Colour numbers of the layers (AutoCAD colour index).
int colourOf(Layer layer) {
    switch (layer) {
    case Layer::Outline:
        return 7; // white on black, black on white
    case Layer::Rebar:
        return 1; // red
    case Layer::Load:
        return 5; // blue
    case Layer::Dim:
        return 3; // green
    case Layer::Text:
        return 7;
    }
    return 7;
}

constexpr Layer kLayers[] = {Layer::Outline, Layer::Rebar, Layer::Load, Layer::Dim, Layer::Text};

// The text style of every text: a TrueType face with Japanese characters
// that Windows has; other systems substitute their own.
constexpr const char* kTextStyle = "HALTRIX";
constexpr const char* kTextFont = "msgothic.ttc";

// A text longer than this many characters is cut and ends in "...".
constexpr std::size_t kLongestText = 120;

// A number as DXF writes it: fixed notation, "." as the point, the shortest
// text that reads back as the same double.
std::string number(double value) {
    if (!std::isfinite(value))
        value = 0; // the sketch holds finite numbers only; never write "nan"
    if (value == 0.0)
        return "0.0";
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return "0.0";
    return std::string(buffer, result.ptr);
}

// A UTF-8 text as DXF text: ASCII as it is (control characters as blanks,
// the backslash escaped), everything else as \U+XXXX; an invalid byte as "?".
std::string dxfString(std::string_view text) {
    std::string out;
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (characters == kLongestText) {
            out += "...";
            break;
        }
        ++characters;
        const Utf8Char character = decodeUtf8(text, i);
        i += character.length;
        const char32_t c = character.code;
        if (!character.valid) {
            out += '?';
            continue;
        }
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                out += ' ';
            else if (c == '\\')
                out += "\\U+005C";
            else
                out += static_cast<char>(c);
            continue;
        }
        if (c > 0xFFFF) {
            out += '?'; // \U+ takes four hex digits
            continue;
        }
        char escaped[16];
        std::snprintf(escaped, sizeof escaped, "\\U+%04X", static_cast<unsigned>(c));
        out += escaped;
    }
    return out;
}

class DxfWriter {
public:
    std::string write(const Sketch& sketch) {
        placeViews(sketch);
        // Handles are given out while the body is written; the header, which
        // must name the next free one, is put in front afterwards.
        writeTables();
        writeBlocks();
        section("ENTITIES");
        writeView(sketch.elevation, {0, 0});
        writeView(sketch.section, m_sectionOffset);
        writeNotes(sketch.notes);
        endSection();
        writeObjects();
        tag(0, "EOF");
        std::string body = std::move(m_out);
        m_out.clear();
        writeHeader();
        return m_out + body;
    }

private:
    void tag(int code, std::string_view value) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%3d\n", code);
        m_out += buffer;
        m_out += value;
        m_out += '\n';
    }
    void tag(int code, double value) { tag(code, number(value)); }
    void tag(int code, int value) { tag(code, std::string_view(std::to_string(value))); }
    void point(int code, Point p) {
        tag(code, p.x);
        tag(code + 10, p.y);
        tag(code + 20, 0.0);
    }

    std::string handle() {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%X", m_nextHandle++);
        return buffer;
    }

    void section(const char* name) {
        tag(0, "SECTION");
        tag(2, name);
    }
    void endSection() { tag(0, "ENDSEC"); }

    // Where the section goes: to the right of the elevation, tops level.
    void placeViews(const Sketch& sketch) {
        const Box elevation = sketch.elevation.bounds();
        const Box section = sketch.section.bounds();
        m_unit = std::max(sketch.elevation.textHeight, sketch.section.textHeight);
        if (!(m_unit > 0))
            m_unit = 5; // no view: the notes alone, 5 mm high
        if (!elevation.empty && !section.empty) {
            m_sectionOffset = {elevation.right + 3 * m_unit - section.left,
                               elevation.top - section.top};
        }
        m_extents.include(elevation);
        if (!section.empty) {
            m_extents.include(
                Point{section.left + m_sectionOffset.x, section.bottom + m_sectionOffset.y});
            m_extents.include(
                Point{section.right + m_sectionOffset.x, section.top + m_sectionOffset.y});
        }
        const double left = m_extents.empty ? 0 : m_extents.left;
        const double top = m_extents.empty ? 0 : m_extents.bottom - 1.5 * m_unit;
        m_notesAt = {left, top};
        const std::size_t lines = sketch.notes.size();
        if (lines > 0) {
            m_extents.include(m_notesAt);
            m_extents.include(Point{left, top - 1.6 * m_unit * static_cast<double>(lines)});
        }
        if (m_extents.empty)
            m_extents.include(Point{0, 0});
    }

    void writeHeader() {
        section("HEADER");
        tag(9, "$ACADVER");
        tag(1, "AC1015");
        tag(9, "$DWGCODEPAGE");
        tag(3, "ANSI_1252");
        tag(9, "$INSBASE");
        point(10, {0, 0});
        tag(9, "$EXTMIN");
        point(10, {m_extents.left, m_extents.bottom});
        tag(9, "$EXTMAX");
        point(10, {m_extents.right, m_extents.top});
        tag(9, "$LUNITS");
        tag(70, 2); // decimal
        tag(9, "$INSUNITS");
        tag(70, 4); // millimetres
        tag(9, "$MEASUREMENT");
        tag(70, 1); // metric
        tag(9, "$TEXTSTYLE");
        tag(7, kTextStyle);
        tag(9, "$CLAYER");
        tag(8, "0");
        tag(9, "$HANDSEED");
        tag(5, handle());
        endSection();
        section("CLASSES");
        endSection();
    }

    // A table with its handle; returns the handle, the owner of its entries.
    std::string beginTable(const char* name, int entries) {
        tag(0, "TABLE");
        tag(2, name);
        const std::string h = handle();
        tag(5, h);
        tag(330, "0");
        tag(100, "AcDbSymbolTable");
        tag(70, entries);
        return h;
    }
    void endTable() { tag(0, "ENDTAB"); }

    void beginEntry(const char* type, const std::string& owner, const char* subclass,
                    int handleCode = 5) {
        tag(0, type);
        tag(handleCode, handle());
        tag(330, owner);
        tag(100, "AcDbSymbolTableRecord");
        tag(100, subclass);
    }

    void writeTables() {
        section("TABLES");

        std::string table = beginTable("VPORT", 1);
        beginEntry("VPORT", table, "AcDbViewportTableRecord");
        tag(2, "*ACTIVE");
        tag(70, 0);
        point(10, {0, 0});
        tag(11, 1.0);
        tag(21, 1.0);
        // Opens showing the whole drawing.
        const double width = std::max(m_extents.width(), 1.0);
        const double height = std::max(m_extents.height(), 1.0);
        tag(12, (m_extents.left + m_extents.right) / 2);
        tag(22, (m_extents.bottom + m_extents.top) / 2);
        tag(13, 0.0);
        tag(23, 0.0);
        tag(14, 10.0);
        tag(24, 10.0);
        tag(15, 10.0);
        tag(25, 10.0);
        point(16, {0, 0});
        tag(36, 1.0);
        point(17, {0, 0});
        tag(40, 1.1 * std::max(height, width / 1.5));
        tag(41, 1.5);
        tag(42, 50.0);
        tag(43, 0.0);
        tag(44, 0.0);
        tag(50, 0.0);
        tag(51, 0.0);
        tag(71, 0);
        tag(72, 100);
        tag(73, 1);
        tag(74, 3);
        tag(75, 0);
        tag(76, 0);
        tag(77, 0);
        tag(78, 0);
        endTable();

        table = beginTable("LTYPE", 3);
        for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
            beginEntry("LTYPE", table, "AcDbLinetypeTableRecord");
            tag(2, name);
            tag(70, 0);
            tag(3, std::string_view(name) == "Continuous" ? "Solid line" : "");
            tag(72, 65);
            tag(73, 0);
            tag(40, 0.0);
        }
        endTable();

        table = beginTable("LAYER", 1 + static_cast<int>(std::size(kLayers)));
        auto layer = [&](std::string_view name, int colour) {
            beginEntry("LAYER", table, "AcDbLayerTableRecord");
            tag(2, name);
            tag(70, 0);
            tag(62, colour);
            tag(6, "Continuous");
        };
        layer("0", 7);
        for (const Layer l : kLayers)
            layer(layerName(l), colourOf(l));
        endTable();

        table = beginTable("STYLE", 2);
        auto style = [&](const char* name, const char* font) {
            beginEntry("STYLE", table, "AcDbTextStyleTableRecord");
            tag(2, name);
            tag(70, 0);
            tag(40, 0.0);
            tag(41, 1.0);
            tag(50, 0.0);
            tag(71, 0);
            tag(42, 2.5);
            tag(3, font);
            tag(4, "");
        };
        style("Standard", "txt");
        style(kTextStyle, kTextFont);
        endTable();

        beginTable("VIEW", 0);
        endTable();
        beginTable("UCS", 0);
        endTable();

        table = beginTable("APPID", 1);
        beginEntry("APPID", table, "AcDbRegAppTableRecord");
        tag(2, "ACAD");
        tag(70, 0);
        endTable();

        table = beginTable("DIMSTYLE", 1);
        tag(100, "AcDbDimStyleTable");
        beginEntry("DIMSTYLE", table, "AcDbDimStyleTableRecord", 105);
        tag(2, "Standard");
        tag(70, 0);
        endTable();

        table = beginTable("BLOCK_RECORD", 2);
        beginEntry("BLOCK_RECORD", table, "AcDbBlockTableRecord");
        m_modelSpace = lastHandle();
        tag(2, "*Model_Space");
        beginEntry("BLOCK_RECORD", table, "AcDbBlockTableRecord");
        m_paperSpace = lastHandle();
        tag(2, "*Paper_Space");
        endTable();

        endSection();
    }

    std::string lastHandle() const {
        char buffer[24];
        std::snprintf(buffer, sizeof buffer, "%X", m_nextHandle - 1);
        return buffer;
    }

    void writeBlocks() {
        section("BLOCKS");
        auto block = [&](const char* name, const std::string& owner, bool paper) {
            tag(0, "BLOCK");
            tag(5, handle());
            tag(330, owner);
            tag(100, "AcDbEntity");
            if (paper)
                tag(67, 1);
            tag(8, "0");
            tag(100, "AcDbBlockBegin");
            tag(2, name);
            tag(70, 0);
            point(10, {0, 0});
            tag(3, name);
            tag(1, "");
            tag(0, "ENDBLK");
            tag(5, handle());
            tag(330, owner);
            tag(100, "AcDbEntity");
            if (paper)
                tag(67, 1);
            tag(8, "0");
            tag(100, "AcDbBlockEnd");
        };
        block("*Model_Space", m_modelSpace, false);
        block("*Paper_Space", m_paperSpace, true);
        endSection();
    }

    void writeObjects() {
        section("OBJECTS");
        const std::string root = handle();
        const std::string groups = handle();
        tag(0, "DICTIONARY");
        tag(5, root);
        tag(330, "0");
        tag(100, "AcDbDictionary");
        tag(281, 1);
        tag(3, "ACAD_GROUP");
        tag(350, groups);
        tag(0, "DICTIONARY");
        tag(5, groups);
        tag(330, root);
        tag(100, "AcDbDictionary");
        tag(281, 1);
        endSection();
    }

    // --- Entities of the model space ---------------------------------------

    void entity(const char* type, Layer layer, const char* subclass) {
        tag(0, type);
        tag(5, handle());
        tag(330, m_modelSpace);
        tag(100, "AcDbEntity");
        tag(8, layerName(layer));
        tag(100, subclass);
    }

    void line(Point from, Point to, Layer layer) {
        entity("LINE", layer, "AcDbLine");
        point(10, from);
        point(11, to);
    }

    void polyline(const std::vector<Point>& points, bool closed, Layer layer) {
        if (points.size() < 2)
            return;
        entity("LWPOLYLINE", layer, "AcDbPolyline");
        tag(90, static_cast<int>(points.size()));
        tag(70, closed ? 1 : 0);
        tag(43, 0.0);
        for (const Point p : points) {
            tag(10, p.x);
            tag(20, p.y);
        }
    }

    void triangle(const Triangle& t, Layer layer) {
        entity("SOLID", layer, "AcDbTrace");
        point(10, t.a);
        point(11, t.b);
        point(12, t.c);
        point(13, t.c);
    }

    void text(const Text& t, Point offset) {
        const Point at{t.at.x + offset.x, t.at.y + offset.y};
        entity("TEXT", t.layer, "AcDbText");
        point(10, at);
        tag(40, t.height);
        tag(1, dxfString(t.text));
        if (t.angle != 0.0)
            tag(50, t.angle);
        tag(7, kTextStyle);
        const int horizontal = t.hAlign == HAlign::Left ? 0 : t.hAlign == HAlign::Centre ? 1 : 2;
        const int vertical = t.vAlign == VAlign::Bottom ? 1 : t.vAlign == VAlign::Middle ? 2 : 3;
        tag(72, horizontal);
        point(11, at);
        tag(100, "AcDbText");
        tag(73, vertical);
    }

    void writeView(const View& view, Point offset) {
        auto moved = [&](Point p) { return Point{p.x + offset.x, p.y + offset.y}; };
        auto movedAll = [&](const std::vector<Point>& points) {
            std::vector<Point> result;
            result.reserve(points.size());
            for (const Point p : points)
                result.push_back(moved(p));
            return result;
        };
        for (const Hatch& hatch : view.hatches) {
            polyline(movedAll(hatch.boundary), true, hatch.layer);
            for (const Line& stroke : hatch.strokes)
                line(moved(stroke.from), moved(stroke.to), stroke.layer);
        }
        for (const Polyline& p : view.polylines)
            polyline(movedAll(p.points), p.closed, p.layer);
        for (const Line& l : view.lines)
            line(moved(l.from), moved(l.to), l.layer);
        for (const Circle& circle : view.circles) {
            entity("CIRCLE", circle.layer, "AcDbCircle");
            point(10, moved(circle.centre));
            tag(40, circle.radius);
        }
        for (const Arrow& arrow : view.arrows) {
            line(moved(arrow.tail), moved(arrow.tip), arrow.layer);
            const double dx = arrow.tip.x - arrow.tail.x;
            const double dy = arrow.tip.y - arrow.tail.y;
            const double length = std::hypot(dx, dy);
            if (length > 0)
                triangle(arrowHead(moved(arrow.tip), {dx / length, dy / length}, arrow.headLength),
                         arrow.layer);
        }
        for (const Dimension& dimension : view.dimensions) {
            const DimensionLayout layout = layoutOf(dimension);
            for (const Line* l : {&layout.extension1, &layout.extension2, &layout.dimensionLine})
                line(moved(l->from), moved(l->to), l->layer);
            triangle(arrowHead(moved(layout.tip1), layout.direction1, dimension.arrowLength),
                     dimension.layer);
            triangle(arrowHead(moved(layout.tip2), layout.direction2, dimension.arrowLength),
                     dimension.layer);
            text(layout.text, offset);
        }
        for (const Text& t : view.texts)
            text(t, offset);
    }

    void writeNotes(const std::vector<std::string>& notes) {
        double y = m_notesAt.y;
        for (const std::string& note : notes) {
            y -= 1.6 * m_unit;
            text(Text{{m_notesAt.x, y}, note, m_unit, HAlign::Left, VAlign::Bottom, 0, Layer::Text},
                 {0, 0});
        }
    }

    std::string m_out;
    unsigned m_nextHandle = 0x20;
    std::string m_modelSpace;
    std::string m_paperSpace;
    Point m_sectionOffset;
    Point m_notesAt;
    double m_unit = 5;
    Box m_extents;
};

} // namespace

std::string dxfText(const Sketch& sketch) {
    return DxfWriter().write(sketch);
}

} // namespace haltrix::sketch
