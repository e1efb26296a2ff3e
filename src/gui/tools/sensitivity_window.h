// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "document/design_document.h"
#include "tools/plot_labels.h"

class QComboBox;
class QCustomPlot;
class QCPGraph;
class QCPItemText;
class QPushButton;

namespace haltrix::gui {

class FileDialogs;
class MessageSink;
class PrintInteraction;

// The child window "感度" (frmSensitivity): the governing required main steel
// and the provided main steel of the design as one input (a by default,
// chosen in cboParameter) runs over a range, with the current design, the
// case change at a / H2 = 0.5 and the method's end at a / H2 = 1.0 marked.
// The core's sensitivityPlot makes every number and text; this window draws
// it with QCustomPlot, draws it again whenever the design's inputs change,
// saves it as PNG or SVG (cmdSave) and prints it (cmdPrint).
class SensitivityWindow : public QWidget {
    Q_OBJECT
public:
    // `printing` answers the print dialog; null: the system's. The services
    // must outlive the window.
    SensitivityWindow(DesignDocument& document, FileDialogs& fileDialogs, MessageSink& messages,
                      PrintInteraction* printing = nullptr, QWidget* parent = nullptr);
    ~SensitivityWindow() override;

    QCustomPlot* plot() const { return m_plot; }
    QSize sizeHint() const override;

    // Draws the plot of the chosen input afresh from the design.
    void redraw();
    // Asks for a file name and writes the plot there, in the format its
    // extension names: PNG, PDF or (where Qt SVG is built in) SVG; ".png" is
    // added to a name without extension.
    void save();
    // Prints the plot across the page's width.
    void print();

    // Writes the plot as it is shown; false when the file could not be
    // written.
    bool writePng(const QString& path);
    bool writePdf(const QString& path);
#if HALTRIX_HAVE_QT_SVG
    bool writeSvg(const QString& path);
#endif

private:
    void fillParameterList();
    void followInputs();
    void placeLabels();

    DesignDocument& m_document;
    FileDialogs& m_fileDialogs;
    MessageSink& m_messages;
    PrintInteraction* m_printing;

    QComboBox* m_parameter = nullptr;
    QCustomPlot* m_plot = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
    QList<MarkedLine> m_markers;
    QList<QCPGraph*> m_curves;
    QCPItemText* m_note = nullptr;
};

} // namespace haltrix::gui
