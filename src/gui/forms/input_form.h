// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QWidget>

#include "studies/bar_proposal.h"
#include "design/bar_table.h"
#include "design/design_inputs.h"
#include "design/unit_system.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTabWidget;

namespace haltrix::gui {

class DesignDocument;
class FindingsList;
class MessageSink;

// What differs between the gravitational and the SI input form. Everything
// else (captions, layout, fields, behaviour) is shared.
struct InputFormProfile {
    UnitSystem system;              // the units beside the boxes and the As column
    const char* objectName;         // "frm_datain" or "frm_datain_si"
    const char* reactionFrameTitle; // frame of the support reactions
    bool unitsBesideSecondLayer;    // "(本)" and the area unit beside the 2nd layer too
    bool cancelHides;               // キャンセル hides the form instead of closing it
};

const InputFormProfile& inputFormProfile(UnitSystem twin);

// The input form "入力データ": edits a copy of the fifteen inputs of the
// design and gives them to the document only on "OK".
//
// Beside the reactions, the table of the load cases (tblCases: 名称, P, H,
// σsa) with 追加, 削除, ↑ and ↓ (Insert, Delete, Ctrl+Up and Ctrl+Down in
// the table). Its first row is the case the reaction boxes and σsa hold:
// editing one edits the other.
class InputForm : public QWidget {
    Q_OBJECT
public:
    InputForm(const InputFormProfile& profile, DesignDocument& document, MessageSink& messages,
              QWidget* parent = nullptr);

    const InputFormProfile& profile() const { return m_profile; }
    // The form's fixed size at a screen's logical DPI.
    static QSize clientSize(double dpi);

    // The document's inputs to the fields; the area boxes follow the loaded
    // counts and bars.
    void loadInputs();
    // The fields to the document, which announces them. Every number box must
    // hold a number: otherwise the field is named in a message, focused, and
    // nothing at all is stored.
    bool storeInputs();
    // Whether the form holds edits that OK has not stored: a box, a list or
    // the load-case table that differs from what the design filled in.
    bool hasUnconfirmedEdits() const;
    // H1 with the focus, its text selected.
    void focusFirstField();

    // The inputs "OK" would store from the fields as they now stand; a box
    // that does not hold a number gives NaN. The document is not touched.
    // What shows the typed design live (the warnings below the fields, the
    // sketch) reads this.
    DesignInputs inputsAsTyped() const;

    // The fields as typed (texts, chosen bars and the load-case table), to
    // carry them into the
    // form of the other unit system when the unit switch replaces this one:
    // the switch converts nothing, typed or stored.
    struct TypedFields {
        QStringList texts; // Text1 to Text15 in turn
        int bar1 = 0;
        int bar2 = 0;
        QList<QStringList> cases; // the load-case table's rows: 名称, P, H, σsa

        bool operator==(const TypedFields&) const = default;
    };
    TypedFields typedFields() const;
    void restoreTypedFields(const TypedFields& fields);

    // "OK": stores the fields and closes the form.
    void acceptInput();
    // "キャンセル": closes (or hides) the form without storing anything.
    void cancelInput();
    // Shows the steel area of a layer from its count and bar.
    void updateLayer1Area();
    void updateLayer2Area();
    // Lists the warnings of the design as typed.
    void updateFindings();
    // "自動選定": the best arrangements of the main bars for the design as
    // typed, in a window; the one chosen there goes into the bar lists and
    // count boxes as if typed.
    void proposeBars();
    void fillBars(const BarArrangement& bars);

    // The load-case table: a case added after the current row (a copy of
    // it), the current row removed (never the last), moved up or down.
    void addCase();
    void removeCase();
    void moveCase(int step);
    QTableWidget* caseTable() const { return m_cases; }

signals:
    // Any box edited or any bar chosen: inputsAsTyped() may differ.
    void typedInputsChanged();

private:
    struct Placed {
        QWidget* widget;
        QRect twips;
    };
    void buildShapePage(QWidget* page);
    void buildRebarPage(QWidget* page);
    QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect twips);
    QLineEdit* addTextBox(QWidget* parent, const char* name, QRect twips);
    QListWidget* addBarList(QWidget* parent, const char* name, QRect twips);
    void place(QWidget* widget, QRect twips);
    void placeOnPage(QWidget* page, QWidget* widget, QRect twips);
    void placePageChildren(QWidget* page);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void setUpKeyboard(QPushButton* ok, QPushButton* cancel);
    void showArea(QLineEdit* count, QListWidget* list, QLineEdit* area);
    void buildCaseTable(QWidget* page);
    void loadCases(const DesignInputs& inputs);
    void setCaseRow(int row, const LoadCase& loadCase);
    void setCaseCells(int row, const QStringList& cells);
    // The first row from the reaction boxes and σsa, or the other way round.
    void firstRowFromBoxes();
    void boxesFromFirstRow();
    void caseEdited(QTableWidgetItem* item);
    void renumberCases();
    // The cases as typed into `inputs` (a cell without a number gives NaN);
    // the first bad cell's row and column, or -1.
    std::pair<int, int> readCases(DesignInputs& inputs) const;
    QString caseCellCaption(int row, int column) const;

    const InputFormProfile& m_profile;
    DesignDocument& m_document;
    MessageSink& m_messages;
    double m_dpi;

    QTabWidget* m_tab = nullptr;
    QList<QWidget*> m_pages;
    QList<QPair<QWidget*, Placed>> m_pageChildren;
    QLineEdit* m_text[16] = {}; // m_text[n] is TextN
    QListWidget* m_list1 = nullptr;
    QListWidget* m_list2 = nullptr;
    FindingsList* m_findings = nullptr;
    QTableWidget* m_cases = nullptr;
    bool m_syncing = false;
    TypedFields m_loaded; // the fields as the design last filled them
};

} // namespace haltrix::gui
