// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "document/design_document.h"

class QComboBox;
class QPushButton;

namespace haltrix::gui {

class FileDialogs;
class MessageSink;
class PrintInteraction;
class SensitivityChart;

// The child window "感度" (frmSensitivity): the governing required main steel
// and the provided main steel of the design as one input (a by default,
// chosen in cboParameter) runs over a range, with the current design, the
// case change at a / H2 = 0.5 and the method's end at a / H2 = 1.0 marked.
// The core's sensitivityPlot makes every number and text; this window draws
// it with its chart (sensitivity_chart.h), draws it again whenever the
// design's inputs change, saves it as PNG, PDF or SVG (cmdSave) and prints it
// (cmdPrint). Where the chart's module cannot be loaded, the window says why
// in place of the plot.
class SensitivityWindow : public QWidget {
    Q_OBJECT
public:
    // `printing` answers the print dialog; null: the system's. The services
    // must outlive the window.
    SensitivityWindow(DesignDocument& document, FileDialogs& fileDialogs, MessageSink& messages,
                      PrintInteraction* printing = nullptr, QWidget* parent = nullptr);
    ~SensitivityWindow() override;

    QSize sizeHint() const override;

    // Draws the plot of the chosen input afresh from the design.
    void redraw();
    // Asks for a file name and writes the plot there, in the format its
    // extension names: PNG, PDF or (where Qt SVG is built in) SVG; ".png" is
    // added to a name without extension.
    void save();
    // Prints the plot across the page's width.
    void print();

private:
    void fillParameterList();
    void followInputs();

    DesignDocument& m_document;
    FileDialogs& m_fileDialogs;
    MessageSink& m_messages;
    PrintInteraction* m_printing;

    QComboBox* m_parameter = nullptr;
    // The chart, or the text that says why there is none; m_chart is null
    // then.
    QWidget* m_plotArea = nullptr;
    SensitivityChart* m_chart = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
};

} // namespace haltrix::gui
