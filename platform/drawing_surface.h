#pragma once
#include <QImage>
#include <QRect>

class QObject;

// What the video service needs of a window it shows or paints a clip in: where drawing shows
// inside the window, and a persistent image that takes a frame. A window without it is a
// plain parent (its whole rectangle shows) and no target for painting.
class DrawingSurface {
  public:
    // The rectangle, in the window's own pixels, where drawing shows (inside any border).
    virtual QRect drawing_area() const = 0;
    // Copies an image, already at its final size, into the persistent image at a pixel
    // position of the drawing area, and repaints.
    virtual void take_frame(const QImage& picture, int x_px, int y_px) = 0;

  protected:
    ~DrawingSurface() = default;
};

// The surface behind an object, or nullptr when the object is none (or is null).
DrawingSurface* as_drawing_surface(QObject* object);
