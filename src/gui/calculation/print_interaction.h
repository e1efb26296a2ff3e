// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPrinter;
class QString;
class QWidget;

namespace haltrix::gui {

// What printing asks of the user: the print dialog, and word of a failure.
// The print window uses the system's by default; tests answer in its place.
class PrintInteraction {
public:
    virtual ~PrintInteraction() = default;

    // Lets the user choose the printer and its settings on `printer`.
    // False when the dialog was cancelled or failed.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent) = 0;

    // Tells the user that the report could not be printed.
    virtual void printingFailed(const QString& message, QWidget* parent) = 0;

    // Asks before printing a design that has a 警告: true to print anyway.
    // By default a question box "警告があります。このまま印刷しますか?" with
    // はい and いいえ, いいえ the default.
    virtual bool confirmPrintDespiteWarning(QWidget* parent);
};

// The platform's print dialog (no selection or page range to choose; printing
// to a file stays possible) and a warning box captioned "Haltrix".
class SystemPrintInteraction : public PrintInteraction {
public:
    bool choosePrinter(QPrinter& printer, QWidget* parent) override;
    void printingFailed(const QString& message, QWidget* parent) override;
};

} // namespace haltrix::gui
