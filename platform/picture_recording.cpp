#include "platform/picture_recording.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

namespace {
// The centre of a pixel: the box draws whole pixels, a painter draws between grid lines.
QPointF centre_of(QPoint p) { return {p.x() + 0.5, p.y() + 0.5}; }

QPen stroke_pen(const PictureRecording::Pen& pen) {
    QPen p(pen.color, pen.width);
    p.setJoinStyle(Qt::MiterJoin);
    if (pen.dotted) {
        p.setCapStyle(Qt::FlatCap);
        p.setDashPattern({2.0 / pen.width, 2.0 / pen.width});
    } else {
        // Square ends reach the outer edges of the first and the last pixel, as the box's do.
        p.setCapStyle(Qt::SquareCap);
    }
    return p;
}
}  // namespace

PictureRecording::PictureRecording(QSize area, QColor back) : size_(area), back_(back) {}

void PictureRecording::clear(QColor back) {
    back_ = back;
    steps_.clear();
    open_points_.reset();
}

void PictureRecording::add(std::function<void(QPainter&)> step) {
    open_points_.reset();
    steps_.push_back(std::move(step));
}

void PictureRecording::point(QPoint at, QColor color) {
    if (open_points_ && color == open_points_color_) {
        if (open_points_->back() != at) open_points_->push_back(at);
        return;
    }
    auto points = std::make_shared<std::vector<QPoint>>(1, at);
    add([points, color](QPainter& p) {
        QPainterPath pixels;
        pixels.setFillRule(Qt::WindingFill);
        for (const QPoint& q : *points) pixels.addRect(QRectF(q, QSizeF(1, 1)));
        p.fillPath(pixels, color);
    });
    open_points_ = points;
    open_points_color_ = color;
}

void PictureRecording::line(QPoint from, QPoint to, const Pen& pen) {
    add([from, to, pen](QPainter& p) {
        p.setPen(stroke_pen(pen));
        if (pen.dotted) {
            // A dotted line starts with its dots at the outer edge of its first pixel.
            const QPointF d = QPointF(to - from);
            const double length = std::hypot(d.x(), d.y());
            const QPointF half = length > 0 ? d * (0.5 / length) : QPointF();
            p.drawLine(centre_of(from) - half, centre_of(to) + half);
        } else {
            p.drawLine(centre_of(from), centre_of(to));
        }
    });
}

void PictureRecording::box(QPoint a, QPoint b, const Pen& pen, std::optional<QColor> fill) {
    add([a, b, pen, fill](QPainter& p) {
        if (fill && b.x() - a.x() > 1 && b.y() - a.y() > 1)
            p.fillRect(QRect(a + QPoint(1, 1), b - QPoint(1, 1)), *fill);
        p.setPen(stroke_pen(pen));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(centre_of(a), centre_of(b)));
    });
}

void PictureRecording::disc(QPoint centre, int radius, QColor outline, std::optional<QColor> fill) {
    // The box's disc covers about a circle of radius r + 1/2 around its centre pixel: its rim,
    // one pixel wide, is a stroke along radius r.
    const double ring = std::max(radius, 0) + (radius > 0 ? 0.0 : 0.5);
    add([centre, ring, outline, fill](QPainter& p) {
        p.setPen(QPen(outline, 1.0));
        p.setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
        p.drawEllipse(centre_of(centre), ring, ring);
    });
}

void PictureRecording::text(QRect place, const QString& text, const QFont& font, QColor color) {
    QFont smooth = font;
    smooth.setStyleStrategy(QFont::PreferAntialias);
    add([place, text, smooth, color](QPainter& p) {
        p.setFont(smooth);
        p.setPen(color);
        p.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    });
}

void PictureRecording::image(QPoint at, const QImage& picture) {
    add([at, picture](QPainter& p) { p.drawImage(at, picture); });
}

void PictureRecording::replay(QPainter& painter) const {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.setClipRect(QRect(QPoint(0, 0), size_));
    painter.fillRect(QRect(QPoint(0, 0), size_), back_);
    for (const auto& step : steps_) step(painter);
    painter.restore();
}
