#include "platform/drawing_surface.h"

#include <QObject>

DrawingSurface* as_drawing_surface(QObject* object) {
    return dynamic_cast<DrawingSurface*>(object);
}
