// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "design_context.h"
#include "horizontal_check.h"
#include "twin.h"

class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace haltrix {
class Notifier;
}

namespace haltrix::gui {

// What tells the two result windows apart; the engine procedures and the
// bar-table column follow from the twin in the core.
struct ResultWindowProfile {
    Twin twin;
    const char* objectName; // "frm_calc" / "frm_calc_si"
    const char* areaUnit;   // text of both Label11 labels
};

const ResultWindowProfile& resultWindowProfile(Twin twin);

// The result window "計算結果" (frm_calc, frm_calc_si). Creating it runs the
// load sequence over the shared design record: the calculation of its twin,
// the sheet in FG1 and FG2, then the horizontal check. Every edit of
// tex_mtl_n and every change of the selection in List_mtl_d runs the
// horizontal check again. When the design's inputs change, the load sequence
// runs again (the chosen side-face bar and count stay), so the window always
// shows the calculation of the inputs as they stand; when the unit system no
// longer selects this twin, the window closes. The two Label11 labels are
// named Label11_0 and Label11_1 after their positions in the control array.
//
// Beside the sheet, lblFindings sums up the design's warnings ("注意 1件");
// its link opens the list of them (dlgFindings). Both follow the inputs and
// the spacing rule.
class ResultWindow : public QWidget {
    Q_OBJECT

public:
    // `notifier` receives the calculation's message and must outlive the
    // window; without one a modal message box shows it. The window deletes
    // itself when closed.
    ResultWindow(DesignContext& context, Twin twin, Notifier* notifier = nullptr,
                 QWidget* parent = nullptr);

    Twin twin() const { return m_profile.twin; }
    // The window's fixed size at a screen's logical DPI.
    static QSize clientSize(double dpi);

    // Opens (or brings up) the list of the design's warnings.
    void showFindingsList();

signals:
    // "印刷" closed the window; the main window opens the print window.
    void printRequested();
    // "形状図": the main window shows the sketch of the calculation beside.
    void sketchRequested();

private:
    void createControls();
    void load();
    void followInputs();
    void recheckHorizontalBars();
    void showHorizontalCheck(const HorizontalCheck& check);
    int selectedBar() const;
    void requestPrint();
    void updateFindings();

    DesignContext& m_context;
    const ResultWindowProfile& m_profile;
    Notifier* m_notifier;

    QTableWidget* m_fg1 = nullptr;
    QTableWidget* m_fg2 = nullptr;
    QLabel* m_label9 = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_labOk = nullptr;
    QListWidget* m_listMtlD = nullptr;
    QLineEdit* m_texMtlN = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_sketchButton = nullptr;
    QLabel* m_findingsLine = nullptr;
    QPointer<QDialog> m_findingsDialog;
};

} // namespace haltrix::gui
