// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "document/design_document.h"
#include "design/design_calculation.h"
#include "design/load_cases.h"
#include "design/unit_system.h"

class QComboBox;
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

// What tells the two result windows apart; the engine procedures, the
// bar-table column and the units follow from the unit system in the core.
struct ResultWindowProfile {
    UnitSystem twin;
    const char* objectName; // "frm_calc" / "frm_calc_si"
};

const ResultWindowProfile& resultWindowProfile(UnitSystem twin);

// The result window "計算結果" (frm_calc, frm_calc_si). It shows the
// document's results: the sheet in FG1 and FG2 and the horizontal check with
// the side-face bar and count chosen here (List_mtl_d, tex_mtl_n), the
// window's own choice, checked on its own copy of the results. A calculation
// that stopped shows its message when the window loads. Every edit of
// tex_mtl_n and every change of the selection in List_mtl_d checks the
// side faces again. When the design's inputs change, the window loads again
// (the chosen side-face bar and count stay), so it always shows the
// calculation of the inputs as they stand; when the unit system no longer
// selects this twin, the window closes. The two Label11 labels are
// named Label11_0 and Label11_1 after their positions in the control array.
//
// Beside the sheet, lblFindings sums up the design's warnings ("注意 1件");
// its link opens the list of them (dlgFindings). Both follow the inputs and
// the spacing rule.
//
// The side-face bars start as the design keeps them; a change here is given
// to the document (and so saved with the design). A design of more than one
// load case widens the window by a panel: the case selector cboCase, whose
// case the sheet and the side-face check show, and the summaries
// 荷重ケース一覧 (tblCases) and 側面鉄筋 (tblSideCases), each marking its
// governing case. Switching the case recalculates nothing.
class ResultWindow : public QWidget {
    Q_OBJECT

public:
    // `notifier` receives the calculation's message and must outlive the
    // window; without one a modal message box shows it. The window deletes
    // itself when closed.
    ResultWindow(DesignDocument& document, UnitSystem twin, Notifier* notifier = nullptr,
                 QWidget* parent = nullptr);

    UnitSystem twin() const { return m_profile.twin; }
    // The window's fixed size at a screen's logical DPI.
    static QSize clientSize(double dpi);

    // Opens (or brings up) the list of the design's warnings.
    void showFindingsList();

    // What the window shows: the document's results checked with its own
    // side-face choice.
    const DesignResults& results() const { return m_results; }
    HorizontalChoice horizontalChoice() const;
    // Every case checked with the window's side-face bars, and the case shown.
    const DesignCalculation& calculation() const { return m_calculation; }
    int shownCase() const { return m_case; }
    void showCase(int index);

signals:
    // "印刷" closed the window; the main window opens the print window for
    // the side-face bars chosen here.
    void printRequested(const HorizontalChoice& choice);
    // "形状図": the main window shows the sketch of the calculation beside.
    void sketchRequested();

private:
    void createControls();
    void load();
    void followInputs();
    void recheckHorizontalBars();
    void checkChosenBars();
    void showHorizontalCheck();
    int selectedBar() const;
    void requestPrint();
    void updateFindings();
    void showSheet();
    void showCaseSummaries();
    void placeCasePanel();
    void takeSideFaceChoice();

    DesignDocument& m_document;
    const ResultWindowProfile& m_profile;
    Notifier* m_notifier;
    DesignResults m_results;
    DesignCalculation m_calculation;
    int m_case = 0;
    bool m_loading = false;

    QTableWidget* m_selfWeightGrid = nullptr;
    QTableWidget* m_resultGrid = nullptr;
    QLabel* m_requiredArea = nullptr;
    QLabel* m_providedArea = nullptr;
    QLabel* m_horizontalJudgement = nullptr;
    QListWidget* m_barList = nullptr;
    QLineEdit* m_barCount = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_sketchButton = nullptr;
    QLabel* m_findingsLine = nullptr;
    QComboBox* m_caseBox = nullptr;
    QTableWidget* m_caseTable = nullptr;
    QTableWidget* m_sideTable = nullptr;
    QList<QWidget*> m_casePanel;
    QPointer<QDialog> m_findingsDialog;
};

} // namespace haltrix::gui
