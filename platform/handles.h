#pragma once
#include <cstdint>

class QObject;
class QWidget;

// Drawing surfaces and windows are named by plain integers, as the video service's commands
// carry them. A handle lives as long as its object.
using Handle = std::int64_t;

// The window handle of a widget, made on first request.
Handle window_handle(QWidget* widget);

// A new handle for an object (a drawing surface); it goes when the object is destroyed.
Handle register_handle(QObject* object);

// The object behind a handle, or nullptr when there is none (any more).
QObject* resolve_handle(Handle handle);
