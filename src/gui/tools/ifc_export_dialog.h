// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "design/design_calculation.h"
#include "model/anchorage.h"
#include "model/ifc_writer.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace haltrix::gui {

class DesignDocument;
class FileDialogs;
class MessageSink;

// What ﾌｧｲﾙ → IFC出力 asks before writing: the options of haltrix-calc ifc.
struct IfcExportChoice {
    model::IfcSchema schema = model::IfcSchema::Ifc4x3;
    model::BridgePart part = model::BridgePart::Pier;
    model::AnchorageRule anchorage = model::kDefaultAnchorage;
    HorizontalChoice sideFaces; // none chosen (D10), 4
};

// The dialog "IFC出力" (object name "dlgIfcExport"): the schema, the bridge
// part, the anchorage (mm or Nφ, with the default's standing said), the
// side-face bar and count. OK is refused, with the reason beside the
// anchorage, while the anchorage is not one.
class IfcExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit IfcExportDialog(const IfcExportChoice& start, QWidget* parent = nullptr);

    // The choice as the fields give it; empty while the anchorage is not one.
    std::optional<IfcExportChoice> choice() const;

    void accept() override;

private:
    QComboBox* m_schema = nullptr;
    QComboBox* m_part = nullptr;
    QLineEdit* m_anchorage = nullptr;
    QLabel* m_anchorageError = nullptr;
    QComboBox* m_sideBar = nullptr;
    QLineEdit* m_sideCount = nullptr;
};

// Asks for the choice (nothing: cancelled); tests answer it themselves.
using AskIfcExportChoice =
    std::function<std::optional<IfcExportChoice>(QWidget* parent, const IfcExportChoice& start)>;
std::optional<IfcExportChoice> askIfcExportChoice(QWidget* parent, const IfcExportChoice& start);

// ﾌｧｲﾙ → IFC出力: asks for the choice, then where to write (the save dialog
// starts in the design's folder with its name and ".ifc"), builds the model
// of the document's inputs calculated with the chosen side-face bars, checks
// it for clashes and writes the file whole. A message says what was written
// with every 警告 and 注意, or why nothing was. Returns the path written,
// empty when nothing was.
QString exportDesignAsIfc(QWidget* parent, const DesignDocument& document, FileDialogs& dialogs,
                          MessageSink& messages,
                          const AskIfcExportChoice& ask = askIfcExportChoice);

} // namespace haltrix::gui
