#include "platform/waiting_presses.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {
// Long enough for the window system's queue to be read and delivered in full; processing ends
// earlier as soon as nothing is left.
constexpr int kDeliveryMs = 100;

constexpr const char* kKeepsPresses = "kv_keeps_waiting_presses";

// The widget a press goes to: the press arrives at the top-level window first, which passes
// it on to the widget under it.
QWidget* pressed_widget(QObject* receiver, const QMouseEvent& press) {
    if (auto* widget = qobject_cast<QWidget*>(receiver)) return widget;
    auto* window = qobject_cast<QWindow*>(receiver);
    if (!window) return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window) continue;
        QWidget* child = top->childAt(press.position().toPoint());
        return child ? child : top;
    }
    return nullptr;
}

bool keeps_presses(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (widget->property(kKeepsPresses).toBool()) return true;
    return false;
}

class PressDropper : public QObject {
  protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonDblClick)
            return false;
        return !keeps_presses(pressed_widget(receiver, *static_cast<QMouseEvent*>(event)));
    }
};
}  // namespace

void drop_waiting_mouse_presses() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    PressDropper dropper;
    app->installEventFilter(&dropper);
    QCoreApplication::processEvents(QEventLoop::AllEvents, kDeliveryMs);
    app->removeEventFilter(&dropper);
}

void keep_waiting_presses(QWidget* widget, bool keep) { widget->setProperty(kKeepsPresses, keep); }
