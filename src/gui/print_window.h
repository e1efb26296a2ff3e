#pragma once

#include <QWidget>
#include <memory>

#include "design_context.h"

class QPushButton;
class QScrollArea;

namespace haltrix::gui {

class PreviewSurface;
class PrintInteraction;

// The print window "プレビュ－" (Frm_print). Creating it writes the report of
// the design record on its preview surface Pic, once; the preview then stays
// as drawn while the window is open, whatever happens to the record.
// "印刷実行" asks for a printer and prints the report as the record now
// stands; "閉じる" closes the window. A unit system without a report leaves
// the preview empty and prints nothing.
class PrintWindow : public QWidget {
    Q_OBJECT

public:
    // `interaction` answers the print dialog and hears of printer failures;
    // without one the system dialog and a message box are used. The window
    // deletes itself when closed.
    explicit PrintWindow(DesignContext& context, PrintInteraction* interaction = nullptr,
                         QWidget* parent = nullptr);
    ~PrintWindow() override;

    const PreviewSurface& preview() const { return *m_pic; }

    // The window's design size; it may be made smaller or larger.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void drawPreview();
    void printReport();

    DesignContext& m_context;
    std::unique_ptr<PrintInteraction> m_ownInteraction;
    PrintInteraction* m_interaction;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QScrollArea* m_scroll = nullptr;
    PreviewSurface* m_pic = nullptr;
};

} // namespace haltrix::gui
