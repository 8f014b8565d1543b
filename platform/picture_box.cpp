#include "platform/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Pixels of a disc of the given radius, row by row: a pixel belongs to it when its centre
// lies within radius + 1/2 of the disc's centre. Each pixel is listed once.
std::vector<QPoint> disc_pixels(QPoint c, int r) {
    std::vector<QPoint> out;
    const long limit = static_cast<long>(r) * r + r;
    for (int dy = -r; dy <= r; ++dy) {
        int half = 0;
        while (static_cast<long>(half + 1) * (half + 1) + static_cast<long>(dy) * dy <= limit) {
            ++half;
        }
        for (int dx = -half; dx <= half; ++dx) out.emplace_back(c.x() + dx, c.y() + dy);
    }
    return out;
}
}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    hdc_ = register_handle(this);
    font_ = font();
    font_.setStyleStrategy(QFont::NoAntialias);
    setAttribute(Qt::WA_OpaquePaintEvent);
    set_outer_size(2 * kBorder + 1, 2 * kBorder + 1);
}

Handle PictureBox::hWnd() { return window_handle(this); }

void PictureBox::set_outer_size(int width, int height) {
    setFixedSize(width, height);
    const QSize area(std::max(1, width - 2 * kBorder), std::max(1, height - 2 * kBorder));
    QImage next(area, QImage::Format_RGB32);
    next.fill(back_color_);
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = next;
    if (!user_scale_) set_scale_pixels();
    update();
}

void PictureBox::set_back_color(QColor c) {
    back_color_ = c;
    image_.fill(c);
    update();
}

void PictureBox::set_scale_pixels() {
    user_scale_ = false;
    scale_left_ = 0;
    scale_top_ = 0;
    scale_w_ = image_.width();
    scale_h_ = image_.height();
}

void PictureBox::set_user_scale(double left, double top, double right, double bottom) {
    user_scale_ = true;
    scale_left_ = left;
    scale_top_ = top;
    scale_w_ = right - left;
    scale_h_ = bottom - top;
}

void PictureBox::set_font_size(double points) { font_.setPointSizeF(points); }

void PictureBox::set_font_name(const QString& family) { font_.setFamily(family); }

double PictureBox::to_px_x(double x) const {
    return scale_w_ == 0 ? 0 : (x - scale_left_) * image_.width() / scale_w_;
}

double PictureBox::to_px_y(double y) const {
    return scale_h_ == 0 ? 0 : (y - scale_top_) * image_.height() / scale_h_;
}

QPoint PictureBox::to_pixels(double x, double y) const {
    return {static_cast<int>(std::floor(to_px_x(x) + 0.5)),
            static_cast<int>(std::floor(to_px_y(y) + 0.5))};
}

QRgb PictureBox::pixel_at(int x_px, int y_px) const {
    if (!image_.rect().contains(x_px, y_px)) return 0;
    return image_.pixel(x_px, y_px) & 0xFFFFFF;
}

void PictureBox::plot(int x, int y, QRgb rgb) {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    if (draw_mode_ == kXorPen) {
        line[x] = 0xFF000000u | ((line[x] ^ rgb) & 0xFFFFFFu);
    } else {
        line[x] = 0xFF000000u | (rgb & 0xFFFFFFu);
    }
}

void PictureBox::plot_thick(int x, int y, QRgb rgb) {
    if (draw_width_ <= 1) {
        plot(x, y, rgb);
        return;
    }
    const int lo = -(draw_width_ / 2);
    for (int dy = lo; dy < lo + draw_width_; ++dy)
        for (int dx = lo; dx < lo + draw_width_; ++dx) plot(x + dx, y + dy, rgb);
}

// Bresenham; the end point is left out, as a pen that moves to a point leaves it unset.
void PictureBox::raw_line(QPoint a, QPoint b, QRgb rgb, bool skip_last) {
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), sx = x < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - y), sy = y < b.y() ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        const bool last = (x == b.x() && y == b.y());
        if (last && skip_last) break;
        const bool dot_on = draw_style_ != kDotLine || (dot_phase_++ % 4) < 2;
        if (dot_on) plot_thick(x, y, rgb);
        if (last) break;
        const int e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
}

void PictureBox::cls() {
    image_.fill(back_color_);
    cur_x_ = 0;
    cur_y_ = 0;
    update();
}

void PictureBox::pset(double x, double y, QColor color) {
    const QPoint p = to_pixels(x, y);
    plot(p.x(), p.y(), color.rgb());
    cur_x_ = x;
    cur_y_ = y;
    update();
}

void PictureBox::line(double x1, double y1, double x2, double y2, QColor color) {
    const QPoint a = to_pixels(x1, y1), b = to_pixels(x2, y2);
    dot_phase_ = 0;
    if (a == b) {
        plot_thick(a.x(), a.y(), color.rgb());
    } else {
        raw_line(a, b, color.rgb(), true);
    }
    cur_x_ = x2;
    cur_y_ = y2;
    update();
}

void PictureBox::box(double x1, double y1, double x2, double y2, QColor color) {
    const QPoint a = to_pixels(std::min(x1, x2), std::min(y1, y2));
    const QPoint b = to_pixels(std::max(x1, x2), std::max(y1, y2));
    const QRgb rgb = color.rgb();
    dot_phase_ = 0;
    if (fill_style_ == kSolid) {
        for (int y = a.y() + 1; y < b.y(); ++y)
            for (int x = a.x() + 1; x < b.x(); ++x) plot(x, y, fill_color_.rgb());
    }
    raw_line(a, {b.x(), a.y()}, rgb, true);
    raw_line({b.x(), a.y()}, b, rgb, true);
    raw_line(b, {a.x(), b.y()}, rgb, true);
    raw_line({a.x(), b.y()}, a, rgb, true);
    cur_x_ = x2;
    cur_y_ = y2;
    update();
}

void PictureBox::circle(double x, double y, double radius, QColor color) {
    const QPoint c = to_pixels(x, y);
    const double r_px = scale_w_ == 0 ? 0 : std::abs(radius * image_.width() / scale_w_);
    const int r = static_cast<int>(std::floor(r_px + 0.5));
    const std::vector<QPoint> pixels = disc_pixels(c, r);
    // A pixel of the disc is on the outline when one of its four neighbours is not in it.
    auto inside = [&](int px, int py) {
        const long ddx = px - c.x(), ddy = py - c.y();
        return ddx * ddx + ddy * ddy <= static_cast<long>(r) * r + r;
    };
    for (const QPoint& p : pixels) {
        const bool edge = !inside(p.x() + 1, p.y()) || !inside(p.x() - 1, p.y()) ||
                          !inside(p.x(), p.y() + 1) || !inside(p.x(), p.y() - 1);
        if (edge) {
            plot(p.x(), p.y(), color.rgb());
        } else if (fill_style_ == kSolid) {
            plot(p.x(), p.y(), fill_color_.rgb());
        }
    }
    cur_x_ = x;
    cur_y_ = y;
    update();
}

void PictureBox::print(const QString& text) {
    const QPoint at = to_pixels(cur_x_, cur_y_);
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font_);
    p.setPen(fore_color_);
    const QFontMetrics fm(font_);
    p.drawText(QRect(at, QSize(fm.horizontalAdvance(text) + 4, fm.height())),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    // The next print starts on the following line, at the left edge.
    cur_x_ = scale_left_;
    cur_y_ += image_.height() == 0 ? 0 : fm.height() * scale_h_ / image_.height();
    update();
}

void PictureBox::blit(const QImage& picture, int x_px, int y_px) {
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x_px, y_px, picture);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.setPen(QColor(128, 128, 128));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QColor(64, 64, 64));
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(QColor(212, 208, 200));
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    p.drawImage(kBorder, kBorder, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton: button = 1; break;
        case Qt::RightButton: button = 2; break;
        case Qt::MiddleButton: button = 4; break;
        default: button = 0; break;
    }
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF at = event->position() - QPointF(kBorder, kBorder);
    const double sx = image_.width() == 0 ? 0 : scale_w_ / image_.width();
    const double sy = image_.height() == 0 ? 0 : scale_h_ / image_.height();
    emit mouse_down(button, shift, static_cast<float>(scale_left_ + at.x() * sx),
                    static_cast<float>(scale_top_ + at.y() * sy));
}
