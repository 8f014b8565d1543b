#include "platform/handles.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {
struct Registry {
    QHash<Handle, QPointer<QObject>> objects;
    Handle next = 0x1000;
};

Registry& registry() {
    static Registry r;
    return r;
}

constexpr const char* kWindowHandleProperty = "kv_window_handle";
}  // namespace

Handle register_handle(QObject* object) {
    Registry& r = registry();
    const Handle h = r.next;
    r.next += 4;
    r.objects.insert(h, object);
    QObject::connect(object, &QObject::destroyed, [h] { registry().objects.remove(h); });
    return h;
}

Handle window_handle(QWidget* widget) {
    const QVariant existing = widget->property(kWindowHandleProperty);
    if (existing.isValid()) return existing.toLongLong();
    const Handle h = register_handle(widget);
    widget->setProperty(kWindowHandleProperty, QVariant::fromValue<qlonglong>(h));
    return h;
}

QObject* resolve_handle(Handle handle) {
    Registry& r = registry();
    auto it = r.objects.find(handle);
    if (it == r.objects.end()) return nullptr;
    return it->data();
}
