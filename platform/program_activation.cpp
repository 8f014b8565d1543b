#include "platform/program_activation.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

// Sees each window's activation before the window does and remembers which window of the
// program was activated last.
class ActivationWatch : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::WindowActivate) return false;
        auto* window = qobject_cast<QWidget*>(watched);
        if (!window || !window->isWindow()) return false;  // children hear it from their window
        if (qobject_cast<QDialog*>(window)) return false;  // a dialog is no window of the program
        fresh_ = last_ != window ? window : nullptr;
        last_ = window;
        return false;
    }

    bool is_fresh(const QWidget* window) const { return fresh_ == window; }

  private:
    QPointer<QWidget> last_;
    QPointer<QWidget> fresh_;
};

ActivationWatch* the_watch = nullptr;

}  // namespace

void watch_program_activation() {
    if (the_watch || !qApp) return;
    the_watch = new ActivationWatch(qApp);
    qApp->installEventFilter(the_watch);
}

bool becomes_program_active(const QWidget* window) {
    return !the_watch || the_watch->is_fresh(window);
}
