// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlsx_writer.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <system_error>

#include <xlsxwriter.h>

#include "files/file_path.h"
#include "files/file_replace.h"

namespace haltrix::workbook {

namespace {

// The Japanese font every cell and the header are set in.
constexpr const char* kFont = "ＭＳ ゴシック";
constexpr double kFontSize = 10;
constexpr int kPaperA4 = 9;

// A header field's text with the header codes' "&" doubled.
std::string headerText(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

lxw_format* makeFormat(lxw_workbook* book, Style style) {
    lxw_format* format = workbook_add_format(book);
    format_set_font_name(format, kFont);
    format_set_font_size(format, kFontSize);
    switch (style) {
    case Style::Text:
        break;
    case Style::Title:
        format_set_bold(format);
        format_set_font_size(format, 12);
        break;
    case Style::ColumnHead:
        format_set_bold(format);
        format_set_bottom(format, LXW_BORDER_THIN);
        format_set_text_wrap(format);
        break;
    case Style::Integer:
        format_set_num_format(format, "0");
        break;
    case Style::Fixed2:
        format_set_num_format(format, "0.00");
        break;
    case Style::Fixed3:
        format_set_num_format(format, "0.000");
        break;
    case Style::General:
        format_set_num_format(format, "General");
        break;
    case Style::Total:
        format_set_bold(format);
        break;
    case Style::TotalFixed2:
        format_set_bold(format);
        format_set_num_format(format, "0.00");
        break;
    }
    return format;
}

std::string reasonOf(lxw_error error) {
    return std::string("ワークブックを作れません（") + lxw_strerror(error) + "）";
}

// A name for the file built aside, unique within this process and run.
std::filesystem::path temporaryPath() {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        folder = ".";
    return folder / ("haltrix-" + std::to_string(now) + "-" + std::to_string(counter++) + ".xlsx");
}

std::optional<std::string> build(const Workbook& workbook, const std::string& file) {
    lxw_workbook* book = workbook_new(file.c_str());
    if (!book)
        return std::string("ワークブックを作れません（一時ファイルを開けません）");

    std::map<Style, lxw_format*> formats;
    auto format = [&](Style style) {
        auto found = formats.find(style);
        if (found == formats.end())
            found = formats.emplace(style, makeFormat(book, style)).first;
        return found->second;
    };

    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(workbook.title.c_str());
    properties.author = const_cast<char*>(workbook.designer.c_str());
    properties.subject = const_cast<char*>(workbook.project.c_str());
    workbook_set_properties(book, &properties);

    const std::string header = pageHeader(workbook);
    for (const Sheet& sheet : workbook.sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(book, sheet.name.c_str());
        if (!ws) {
            workbook_close(book);
            return std::string("ワークブックを作れません（シート ") + sheet.name + "）";
        }
        worksheet_set_paper(ws, kPaperA4);
        if (sheet.landscape)
            worksheet_set_landscape(ws);
        else
            worksheet_set_portrait(ws);
        worksheet_fit_to_pages(ws, 1, 0);
        worksheet_set_header(ws, header.c_str());
        if (sheet.headingRows > 0)
            worksheet_repeat_rows(ws, 0, static_cast<lxw_row_t>(sheet.headingRows - 1));
        for (std::size_t c = 0; c < sheet.columnWidths.size(); ++c) {
            const auto column = static_cast<lxw_col_t>(c);
            worksheet_set_column(ws, column, column, sheet.columnWidths[c], format(Style::Text));
        }
        for (const Cell& cell : sheet.cells) {
            const auto row = static_cast<lxw_row_t>(cell.row);
            const auto column = static_cast<lxw_col_t>(cell.column);
            lxw_error error = LXW_NO_ERROR;
            switch (cell.kind) {
            case Cell::Kind::Text:
                if (!cell.text.empty())
                    error = worksheet_write_string(ws, row, column, cell.text.c_str(),
                                                   format(cell.style));
                break;
            case Cell::Kind::Number:
                error = worksheet_write_number(ws, row, column, cell.number, format(cell.style));
                break;
            case Cell::Kind::Formula:
                error = worksheet_write_formula_num(ws, row, column,
                                                    ("=" + cell.formula).c_str(),
                                                    format(cell.style), cell.number);
                break;
            }
            if (error != LXW_NO_ERROR) {
                workbook_close(book);
                return reasonOf(error);
            }
        }
    }
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR)
        return reasonOf(closed);
    return std::nullopt;
}

} // namespace

std::string pageHeader(const Workbook& workbook) {
    const std::string font = std::string("&\"") + kFont + ",標準\"";
    std::string left = font;
    if (!workbook.project.empty())
        left += "工事名: " + headerText(workbook.project);
    return "&L" + left + "&R" + font + "&P / &N";
}

std::optional<std::string> writeXlsx(const Workbook& workbook, const std::string& path) {
    const std::filesystem::path aside = temporaryPath();
    std::optional<std::string> failure = build(workbook, coreFileName(aside));
    std::string bytes;
    if (!failure) {
        std::ifstream in(aside, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof())
            failure = std::string("ワークブックを作れません（一時ファイルを読めません）");
    }
    std::error_code ignored;
    std::filesystem::remove(aside, ignored);
    if (failure)
        return failure;
    return replaceFile(filesystemPath(path), bytes);
}

} // namespace haltrix::workbook
