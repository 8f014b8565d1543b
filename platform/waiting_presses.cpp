#include "platform/waiting_presses.h"

#include <QCoreApplication>
#include <QEvent>

namespace {
// Long enough for the window system's queue to be read and delivered in full; processing ends
// earlier as soon as nothing is left.
constexpr int kDeliveryMs = 100;

class PressDropper : public QObject {
  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        return event->type() == QEvent::MouseButtonPress ||
               event->type() == QEvent::MouseButtonDblClick;
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
