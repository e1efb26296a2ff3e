// SPDX-License-Identifier: GPL-3.0-or-later
// The outline, links and document information written with qpdf's object
// model on the pages Qt painted. Built as a module of its own that
// pdf_navigation_module.cpp loads the first time a book is written, so that
// qpdf and the libraries it needs are not loaded at every program's start.
#include "pdf_navigation.h"

#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace haltrix::print {

namespace {

using Object = QPDFObjectHandle;

Object text(const QString& value) {
    return Object::newUnicodeString(value.toStdString());
}

Object name(const char* value) {
    return Object::newName(value);
}

class Navigator {
public:
    explicit Navigator(QPDF& pdf)
        : m_pdf(pdf), m_pages(QPDFPageDocumentHelper(pdf).getAllPages()) {}

    Object page(int number) {
        if (number < 1 || number > static_cast<int>(m_pages.size()))
            throw std::runtime_error("page " + std::to_string(number) + " is not in the PDF");
        return m_pages[static_cast<std::size_t>(number - 1)].getObjectHandle();
    }

    // The top-left corner of the page, the zoom left as the reader has it.
    Object destination(int number) {
        Object target = page(number);
        const QPDFObjectHandle::Rectangle box =
            m_pages[static_cast<std::size_t>(number - 1)].getMediaBox().getArrayAsRectangle();
        Object array = Object::newArray();
        array.appendItem(target);
        array.appendItem(name("/XYZ"));
        array.appendItem(Object::newReal(box.llx, 2));
        array.appendItem(Object::newReal(box.ury, 2));
        array.appendItem(Object::newNull());
        return array;
    }

    // Links `entries` under `parent`; returns how many were linked.
    int addOutline(Object parent, const QList<OutlineEntry>& entries) {
        Object previous;
        for (const OutlineEntry& entry : entries) {
            Object item = m_pdf.makeIndirectObject(Object::newDictionary());
            item.replaceKey("/Title", text(entry.title));
            item.replaceKey("/Parent", parent);
            item.replaceKey("/Dest", destination(entry.page));
            if (!entry.children.isEmpty()) {
                const int children = addOutline(item, entry.children);
                item.replaceKey("/Count", Object::newInteger(-children)); // closed
            }
            if (previous.isInitialized()) {
                previous.replaceKey("/Next", item);
                item.replaceKey("/Prev", previous);
            } else {
                parent.replaceKey("/First", item);
            }
            parent.replaceKey("/Last", item);
            previous = item;
        }
        return static_cast<int>(entries.size());
    }

    void addLink(const PageLink& link) {
        Object annotation = m_pdf.makeIndirectObject(Object::newDictionary());
        annotation.replaceKey("/Type", name("/Annot"));
        annotation.replaceKey("/Subtype", name("/Link"));
        annotation.replaceKey("/Rect", Object::newArray(QPDFObjectHandle::Rectangle(
                                           link.rect.left(), link.rect.top(), link.rect.right(),
                                           link.rect.bottom())));
        Object border = Object::newArray();
        for (int i = 0; i < 3; ++i)
            border.appendItem(Object::newInteger(0));
        annotation.replaceKey("/Border", border);
        annotation.replaceKey("/Dest", destination(link.target));
        Object target = page(link.page);
        if (!target.getKey("/Annots").isArray())
            target.replaceKey("/Annots", Object::newArray());
        target.getKey("/Annots").appendItem(annotation);
    }

private:
    QPDF& m_pdf;
    std::vector<QPDFPageObjectHelper> m_pages;
};

} // namespace

QByteArray addNavigationWithQpdf(const QByteArray& pdf, const PdfNavigation& navigation,
                                 QString& error) {
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("book.pdf", pdf.constData(), static_cast<size_t>(pdf.size()));
        Navigator navigator(document);
        Object root = document.getRoot();

        if (!navigation.outline.isEmpty()) {
            Object outlines = document.makeIndirectObject(Object::newDictionary());
            outlines.replaceKey("/Type", name("/Outlines"));
            const int entries = navigator.addOutline(outlines, navigation.outline);
            outlines.replaceKey("/Count", Object::newInteger(entries));
            root.replaceKey("/Outlines", outlines);
            root.replaceKey("/PageMode", name("/UseOutlines"));
        }
        for (const PageLink& link : navigation.links)
            navigator.addLink(link);

        const DocumentInfo& info = navigation.info;
        Object trailer = document.getTrailer();
        Object dictionary = trailer.getKey("/Info");
        if (!dictionary.isDictionary()) {
            dictionary = document.makeIndirectObject(Object::newDictionary());
            trailer.replaceKey("/Info", dictionary);
        }
        const auto set = [&](const char* key, const QString& value) {
            if (!value.isEmpty())
                dictionary.replaceKey(key, text(value));
        };
        set("/Title", info.title);
        set("/Author", info.author);
        set("/Subject", info.subject);
        set("/Creator", info.creator);
        if (!info.language.isEmpty())
            root.replaceKey("/Lang", Object::newString(info.language.toStdString()));
        // Qt's XMP copy of the information would disagree with it: the
        // document information alone describes the book.
        root.removeKey("/Metadata");

        QPDFWriter writer(document);
        writer.setOutputMemory();
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                          static_cast<qsizetype>(buffer->getSize()));
    } catch (const std::exception& exception) {
        error = QString::fromStdString(exception.what());
        return {};
    }
}

} // namespace haltrix::print

// What the loader looks up.
extern "C" Q_DECL_EXPORT haltrix::print::AddPdfNavigation haltrixPdfNavigation() {
    return &haltrix::print::addNavigationWithQpdf;
}
