#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

// What a picture box drew since it was last cleared, step by step in the box's pixels, so that
// the same picture can be drawn again on any paint device: a larger image for a sharper
// picture, or an SVG file. The steps are drawn with ordinary QPainter strokes at the places
// and in the colours the box used; they come out as the box shows them, only finer.
class PictureRecording {
  public:
    PictureRecording(QSize area, QColor back);

    QSize size() const { return size_; }

    // Everything drawn so far is gone; the picture is `back` all over.
    void clear(QColor back);
    void resize(QSize area) { size_ = area; }

    // A pen as the box draws: width in pixels, solid or dotted (two on, two off).
    struct Pen {
        QColor color;
        int width = 1;
        bool dotted = false;
    };
    void point(QPoint at, QColor color);
    void line(QPoint from, QPoint to, const Pen& pen);
    // A box from corner to corner; `fill` fills its inside.
    void box(QPoint a, QPoint b, const Pen& pen, std::optional<QColor> fill);
    // A disc of the box's midpoint shape: pixels within r + 1/2 of the centre; the rim in
    // `outline`, the inside in `fill` when there is one.
    void disc(QPoint centre, int radius, QColor outline, std::optional<QColor> fill);
    void text(QRect place, const QString& text, const QFont& font, QColor color);
    void image(QPoint at, const QImage& picture);

    // Draws the picture on `painter`, whose coordinates are taken as the box's pixels: scale
    // the painter to draw it larger.
    void replay(QPainter& painter) const;

  private:
    QSize size_;
    QColor back_;
    void add(std::function<void(QPainter&)> step);

    std::vector<std::function<void(QPainter&)>> steps_;
    // Points set one after another in one colour are one step (one shape in an SVG file, not
    // a thousand): the points of the last step while nothing else came after them.
    std::shared_ptr<std::vector<QPoint>> open_points_;
    QColor open_points_color_;
};
