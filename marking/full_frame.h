#pragma once
#include <QImage>
#include <QObject>
#include <opencv2/core.hpp>

#include "platform/drawing_surface.h"
#include "platform/handles.h"

// An off-screen drawing surface with a handle of its own, of the frame's displayed size, into
// which the video service paints the current frame at full size ("update avfile hdc HDC full").
class FullFrame : public QObject, public DrawingSurface {
  public:
    explicit FullFrame(QSize size);

    Handle handle() const { return handle_; }
    QSize size() const { return size_; }

    QRect drawing_area() const override { return {QPoint(0, 0), size_}; }
    // The service's picture is kept as it is when it fills the surface (no copy).
    void take_frame(const QImage& picture, int x_px, int y_px) override;

    // Its pixels as the tracker reads them (BGRA, no copy): valid until the next frame.
    cv::Mat pixels() const;

  private:
    QSize size_;
    QImage image_;
    Handle handle_ = 0;
};
