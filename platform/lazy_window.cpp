#include "platform/lazy_window.h"

namespace {
constexpr const char* kUnloaded = "kv_unloaded";
}

void unload_window(QWidget* window) {
    if (!window || is_unloaded(window)) return;
    window->setProperty(kUnloaded, true);
    window->hide();
    window->deleteLater();
}

bool is_unloaded(const QWidget* window) { return window->property(kUnloaded).toBool(); }

void show_in_front(QWidget& window) {
    if (window.isMinimized()) window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}
