// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation/sketch_companions.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>
#include <functional>

#include "platform/child_window_registry.h"
#include "platform/child_windows.h"
#include "document/design_document.h"
#include "forms/input_form.h"
#include "calculation/result_window.h"
#include "model/isometric.h"
#include "sketch/sketch_builder.h"
#include "calculation/sketch_window.h"
#include "platform/twips.h"
#include "platform/window_names.h"

namespace haltrix::gui {

namespace {

// Keeps a companion's window with its owner's: hidden and shown with it,
// closed when it closes. (When the main window itself goes, both go with it
// and nothing is closed.)
class CompanionTie : public QObject {
public:
    CompanionTie(ChildSubWindow* owner, QMdiSubWindow* companion)
        : QObject(companion), m_companion(companion) {
        owner->installEventFilter(this);
        connect(owner, &ChildSubWindow::closed, this, &CompanionTie::closeCompanion);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_companion && (event->type() == QEvent::Hide || event->type() == QEvent::Show)) {
            // Minimizing is no hiding: only an explicit hide or show counts.
            if (!static_cast<QWidget*>(watched)->isMinimized())
                m_companion->setVisible(event->type() == QEvent::Show);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void closeCompanion() {
        if (m_companion)
            m_companion->close();
    }

    QPointer<QMdiSubWindow> m_companion;
};

// Where a new companion goes, given its owner's form and window frame.
using CompanionPlace = std::function<QRect(const QWidget& owner, const QRect& ownerFrame)>;

// At the right of the owner's window, as high as it.
QRect besideOwner(const QWidget&, const QRect& ownerFrame) {
    const int height = ownerFrame.height();
    return QRect(ownerFrame.right() + 1, ownerFrame.top(), height * 3 / 2, height);
}

// Shows the companion `name` of `owner`; a new one is placed by `place` and
// tied to the owner. A sketch smaller than its readable size runs its texts
// into each other, so where the area leaves it too little room at the
// owner's right, the owner moves left as far as needed and it can. The
// sketch never covers its owner: on a screen too small for both it is drawn
// in to the room there is.
QWidget* showCompanion(ChildWindowRegistry& children, QWidget& owner, const QString& name,
                       const ChildWindowRegistry::Factory& create, const CompanionPlace& place) {
    auto* ownerFrame = qobject_cast<ChildSubWindow*>(hostSubWindow(&owner));
    const bool isNew = children.form(name) == nullptr;
    QWidget* companion = children.show(name, create, ChildFrame::Sizable);
    QMdiSubWindow* frame = hostSubWindow(companion);
    if (isNew && frame && ownerFrame) {
        const int least = SketchView::kReadableWidth + frame->width() - companion->width();
        const int areaWidth = children.area().viewport()->width();
        QRect wanted = place(owner, ownerFrame->geometry());
        const int lacking = least - (areaWidth - wanted.left());
        if (lacking > 0 && wanted.left() > ownerFrame->geometry().right()) {
            const int shift = std::clamp(lacking, 0, ownerFrame->x());
            ownerFrame->move(ownerFrame->x() - shift, ownerFrame->y());
            wanted.translate(-shift, 0);
        }
        frame->setGeometry(wanted);
        children.keepInsideArea(frame);
        new CompanionTie(ownerFrame, frame);
    }
    return companion;
}

} // namespace

QString inputSketchName(UnitSystem twin) {
    return inputFormName(twin) + QStringLiteral("_sketch");
}

QString resultSketchName(UnitSystem twin) {
    return resultWindowName(twin) + QStringLiteral("_sketch");
}

QWidget* showInputSketch(ChildWindowRegistry& children, DesignDocument& document,
                         InputForm& form) {
    // The result window opens at the form's right, so the sketch goes to the
    // right of that place when the area has room for it: the engineer sees the
    // inputs, the member and the results at once. Otherwise it goes beside the
    // form, where the results cover it once they open.
    QMdiArea* area = &children.area();
    const auto place = [area](const QWidget& owner, const QRect& ownerFrame) {
        const QSize frameExtra = ownerFrame.size() - owner.size();
        const int resultsRight = ownerFrame.right() + 1 +
                                 ResultWindow::clientSize(logicalDpiOf(&owner)).width() +
                                 frameExtra.width();
        const int room = area->viewport()->width() - resultsRight;
        const int height = ownerFrame.height();
        if (room >= height)
            return QRect(resultsRight, ownerFrame.top(), std::min(room, height * 3 / 2), height);
        return besideOwner(owner, ownerFrame);
    };
    QPointer<InputForm> source(&form);
    const QString name = form.objectName() + QStringLiteral("_sketch");
    QWidget* companion = showCompanion(
        children, form, name,
        [source, &document] {
            auto* window = new SketchWindow(
                QStringLiteral("形状図 (入力中)"),
                [source] {
                    return source ? sketch::buildSketch(source->inputsAsTyped()) : sketch::Sketch{};
                },
                nullptr,
                [source] {
                    return source ? model::designIsometric(source->inputsAsTyped())
                                  : sketch::View{};
                });
            QObject::connect(source.data(), &InputForm::typedInputsChanged, window,
                             &SketchWindow::refresh);
            // The unit system is the document's: a switch changes what t and c mean.
            QObject::connect(&document, &DesignDocument::inputsChanged, window,
                             &SketchWindow::refresh);
            return window;
        },
        place);
    // The form keeps the keyboard: the sketch only follows it.
    if (QMdiSubWindow* frame = hostSubWindow(&form))
        area->setActiveSubWindow(frame);
    return companion;
}

QWidget* showResultSketch(ChildWindowRegistry& children, DesignDocument& document,
                          ResultWindow& window) {
    const QString name = window.objectName() + QStringLiteral("_sketch");
    return showCompanion(
        children, window, name,
        [&document] {
            auto* sketchWindow = new SketchWindow(
                QStringLiteral("形状図 (計算結果)"),
                [&document] { return sketch::buildSketch(document.inputs(), document.results()); },
                nullptr, [&document] { return model::designIsometric(document.inputs()); });
            QObject::connect(&document, &DesignDocument::inputsChanged, sketchWindow,
                             &SketchWindow::refresh);
            return sketchWindow;
        },
        besideOwner);
}

} // namespace haltrix::gui
