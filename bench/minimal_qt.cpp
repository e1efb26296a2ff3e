// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for the start-up benchmark: a minimal Qt Widgets program with
// an MDI main window, a menu bar and a status bar, which quits as soon as its
// window has been shown.

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Minimal");
    window.setCentralWidget(new QMdiArea);
    QMenu* file = window.menuBar()->addMenu("&File");
    file->addAction("&Open...");
    file->addAction("E&xit", &app, &QApplication::quit);
    window.menuBar()->addMenu("&Help")->addAction("&About");
    window.statusBar()->showMessage("Ready");
    window.show();
    // Runs once the show has been processed by the event loop.
    QTimer::singleShot(0, &app, &QApplication::quit);
    return app.exec();
}
