#include "calculation_windows.h"

#include <QMessageBox>
#include <QString>

#include "child_windows.h"
#include "main_window.h"
#include "message_sink.h"
#include "notifier.h"
#include "print_window.h"
#include "result_window.h"

namespace haltrix::gui {

namespace {

// Hands the calculation's message to the main window's message sink, which
// shows it as a box without an icon (or records it in tests).
class SinkNotifier : public Notifier {
public:
    SinkNotifier(MessageSink& sink, QWidget* parent) : m_sink(sink), m_parent(parent) {}
    void notify(std::string_view message) override {
        m_sink.showMessage(
            m_parent, QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
            QMessageBox::NoIcon);
    }

private:
    MessageSink& m_sink;
    QWidget* m_parent;
};

} // namespace

void installCalculationWindows(MainWindow& mainWindow, PrintInteraction* printing) {
    mainWindow.setResultWindowFactory(
        [printing](Twin twin, MainWindow& host) -> QWidget* {
            SinkNotifier notifier(host.messages(), &host);
            auto* window = new ResultWindow(host.context(), twin, &notifier);
            QObject::connect(window, &ResultWindow::printRequested, &host,
                             [&host, printing] { showPrintWindow(host, printing); });
            return window;
        },
        ChildFrame::Fixed);
}

QWidget* showPrintWindow(MainWindow& mainWindow, PrintInteraction* printing) {
    return mainWindow.showChildWindow(
        QString::fromLatin1(kPrintWindowName),
        [&mainWindow, printing] { return new PrintWindow(mainWindow.context(), printing); },
        ChildFrame::Sizable);
}

} // namespace haltrix::gui
