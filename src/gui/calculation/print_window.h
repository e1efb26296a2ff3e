// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "document/design_document.h"
#include "report_printer.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSettings;

namespace haltrix {
class Notifier;
}

namespace haltrix::gui {

class FindingsList;
class PreviewSurface;
class PrintInteraction;

// The print window "プレビュ－" (Frm_print). It writes the report of the
// document's results, checked with the side-face bars it was given (those of
// the result window whose "印刷" opened it), on its preview surface Pic, and
// draws it again when the design's inputs change (a calculation that stopped
// shows its message then). "印刷実行" asks for a printer and prints exactly
// the report the preview shows; a calculation that stopped shows its message
// and prints nothing. "閉じる" closes the window. A unit system without a
// report leaves the preview empty and prints nothing.
//
// Beside the buttons, above the preview: a row with "形状図を印刷"
// (Check_sketch, off by default), which prints the sketch of the bracket on a
// page of its own after the report with the warnings listed under it, and the
// fields 工事名, 部材名 and 設計者 (Text_project, Text_member, Text_designer,
// empty by default), which, when any is filled, put a header line on every
// page; with the box off and the fields empty the paper is exactly the report
// alone. Below that row, lstFindings lists the design's warnings; it follows
// the inputs and the spacing rule. "印刷実行" on a design with a 警告 first
// asks whether to print it anyway. A design with findings is printed with
// the page 設計上の注意 last, listing every 警告 and 注意.
class PrintWindow : public QWidget {
    Q_OBJECT

public:
    // `interaction` answers the print dialog and hears of printer failures;
    // without one the system dialog and a message box are used. `notifier`
    // (which must outlive the window) receives the message of a calculation
    // that stops; without one a message box shows it. The window deletes
    // itself when closed.
    explicit PrintWindow(DesignDocument& document, PrintInteraction* interaction = nullptr,
                         Notifier* notifier = nullptr, QWidget* parent = nullptr);
    ~PrintWindow() override;

    const PreviewSurface& preview() const { return *m_preview; }

    // Shows (and prints) the design with these side-face bars from now on.
    void setHorizontalChoice(const HorizontalChoice& choice);
    const HorizontalChoice& horizontalChoice() const { return m_choice; }
    // What the preview shows and 印刷実行 prints.
    const DesignResults& results() const { return m_results; }
    const DesignCalculation& calculation() const { return m_calculation; }

    // Where the sketch choice and the title block are remembered: reads them
    // now and writes every later change. Without it nothing is remembered.
    using SettingsOpener = std::function<std::unique_ptr<QSettings>()>;
    void rememberChoicesIn(SettingsOpener openSettings);

    // What goes on paper besides the report, from the controls.
    print::PrintOptions printOptions() const;

    // The window's design size; it may be made smaller or larger.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitTitleFields(double dpi);
    void drawPreview();
    void takeResults();
    void showMessage();
    void followInputs();
    void printReport();
    void createPageChoices(double dpi);
    void saveChoices();
    void updateFindings();
    std::vector<Finding> findings() const;

    DesignDocument& m_document;
    std::unique_ptr<PrintInteraction> m_ownInteraction;
    PrintInteraction* m_interaction;
    Notifier* m_notifier;
    HorizontalChoice m_choice;
    DesignResults m_results;          // the first case's
    DesignCalculation m_calculation; // every case, with this window's side-face bars
    QPushButton* m_printButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QScrollArea* m_scroll = nullptr;
    PreviewSurface* m_preview = nullptr;
    QCheckBox* m_sketchBox = nullptr;
    QCheckBox* m_quantitiesBox = nullptr;
    QLineEdit* m_project = nullptr;
    QLineEdit* m_member = nullptr;
    QLineEdit* m_designer = nullptr;
    SettingsOpener m_openSettings;
    FindingsList* m_findings = nullptr;
};

} // namespace haltrix::gui
