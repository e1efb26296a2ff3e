// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "paper/book.h"

namespace haltrix::print {

// Told after each design is laid out (`done` of `total`); false cancels.
using BookProgress = std::function<bool(int done, int total)>;

struct BookOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    QString failure; // what went wrong, for the user, when Failed
    int pages = 0;
    bool navigation = false; // the outline and the links were written
};

// Writes the calculation book of `designs`, in their order, as an A4 PDF at
// `path`: the cover (no header), the contents with a link per design to its
// first page, then each design's pages as the single report prints them
// (the report, the sketch page when `sketches`, the page 設計上の注意), every
// page but the cover with the header line and "n / m" of the whole book;
// with the outline 表紙, 目次, one entry per design, and the document
// information. With `quantities` each design's report is followed by its
// page 数量・鉄筋表 (the side-face bars at their defaults). The PDF is written through a temporary file: a cancelled or
// failed book leaves nothing at `path` (an existing file stays as it was).
BookOutcome writeBook(std::vector<book::BookDesign>& designs, const book::BookTitle& title,
                      bool sketches, const QString& path, const BookProgress& progress = {},
                      bool quantities = false);

} // namespace haltrix::print
