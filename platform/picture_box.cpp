#include "platform/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
// Pixel positions beyond this distance from the drawing area are never drawn at: far enough
// that nothing drawn towards them changes inside any drawing area, near enough for integer
// arithmetic. A line towards a point further out is cut at this bound, along the same line.
constexpr double kFar = 1 << 20;

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

bool beyond_far(QPointF p) { return std::abs(p.x()) > kFar || std::abs(p.y()) > kFar; }

// The pixel nearest to a position; positions beyond the far bound are held to it, and one
// that is not a number lies there too.
QPoint nearest_pixel(QPointF p) {
    auto round_held = [](double v) {
        return std::isnan(v) ? static_cast<int>(kFar)
                             : static_cast<int>(std::clamp(std::floor(v + 0.5), -kFar, kFar));
    };
    return {round_held(p.x()), round_held(p.y())};
}

// Cuts the segment a-b to the square within the far bound (Liang-Barsky); false when no part
// of it lies there.
bool cut_to_far(QPointF& a, QPointF& b) {
    const QPointF d = b - a;
    const double p[4] = {-d.x(), d.x(), -d.y(), d.y()};
    const double q[4] = {a.x() + kFar, kFar - a.x(), a.y() + kFar, kFar - a.y()};
    double t0 = 0, t1 = 1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    if (t0 > 0) a = start + t0 * d;
    if (t1 < 1) b = start + t1 * d;
    return true;
}

// The half widths of the rows of a disc of radius r: a pixel belongs to it when its centre lies
// within r + 1/2 of the disc's centre, that is dx^2 + dy^2 <= r^2 + r.
long long disc_half_width(long long r, long long dy) {
    const long long limit = r * r + r - dy * dy;
    auto h = static_cast<long long>(std::sqrt(static_cast<double>(limit)));
    while (h * h > limit) --h;
    while ((h + 1) * (h + 1) <= limit) ++h;
    return h;
}
}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    hdc_ = register_handle(this);
    font_ = font();
    font_.setStyleStrategy(QFont::NoAntialias);
    setAttribute(Qt::WA_OpaquePaintEvent);
    set_outer_size(2 * kBorder + 1, 2 * kBorder + 1);
}

PictureBox::~PictureBox() = default;

Handle PictureBox::hWnd() { return window_handle(this); }

void PictureBox::record_drawing() {
    if (!recording_) recording_ = std::make_unique<PictureRecording>(image_.size(), back_color_);
}

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
    if (recording_) recording_->resize(area);
    if (!user_scale_) set_scale_pixels();
    update();
}

void PictureBox::set_back_color(QColor c) {
    back_color_ = c;
    image_.fill(c);
    if (recording_) recording_->clear(c);
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

PictureRecording::Pen PictureBox::recorded_pen(QColor color) const {
    return {color, draw_width_, draw_style_ == kDotLine};
}

double PictureBox::to_px_x(double x) const {
    return scale_w_ == 0 ? 0 : (x - scale_left_) * image_.width() / scale_w_;
}

double PictureBox::to_px_y(double y) const {
    return scale_h_ == 0 ? 0 : (y - scale_top_) * image_.height() / scale_h_;
}

QPoint PictureBox::to_pixels(double x, double y) const {
    return nearest_pixel({to_px_x(x), to_px_y(y)});
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

// A wide pen is a square of draw-width pixels centred on the point; only the part inside the
// drawing area is visited.
void PictureBox::plot_thick(int x, int y, QRgb rgb) {
    if (draw_width_ <= 1) {
        plot(x, y, rgb);
        return;
    }
    const long long lo = -(draw_width_ / 2);
    const long long left = std::max<long long>(x + lo, 0);
    const long long right = std::min<long long>(x + lo + draw_width_, image_.width());
    const long long top = std::max<long long>(y + lo, 0);
    const long long bottom = std::min<long long>(y + lo + draw_width_, image_.height());
    for (long long py = top; py < bottom; ++py) {
        for (long long px = left; px < right; ++px) {
            if (pen_pixels_) {
                pen_pixels_->emplace_back(static_cast<int>(px), static_cast<int>(py));
            } else {
                plot(static_cast<int>(px), static_cast<int>(py), rgb);
            }
        }
    }
}

// Runs `draw`. In XOR mode a wide pen's squares overlap from one point to the next, so the
// pixels they cover are collected first and each is toggled once.
void PictureBox::stroke(const std::function<void()>& draw, QRgb rgb) {
    if (draw_mode_ != kXorPen || draw_width_ <= 1) {
        draw();
        return;
    }
    std::vector<QPoint> pixels;
    pen_pixels_ = &pixels;
    draw();
    pen_pixels_ = nullptr;
    auto before = [](QPoint p, QPoint q) { return p.y() != q.y() ? p.y() < q.y() : p.x() < q.x(); };
    std::sort(pixels.begin(), pixels.end(), before);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    for (const QPoint& p : pixels) plot(p.x(), p.y(), rgb);
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
    if (recording_) recording_->clear(back_color_);
    cur_x_ = 0;
    cur_y_ = 0;
    update();
}

void PictureBox::pset(double x, double y, QColor color) {
    const QPointF p(to_px_x(x), to_px_y(y));
    if (finite(p)) {
        const QPoint px = nearest_pixel(p);
        plot(px.x(), px.y(), color.rgb());
        if (recording_) recording_->point(px, color);
    }
    cur_x_ = x;
    cur_y_ = y;
    update();
}

// A shape with a coordinate that is not a number (or infinite) is not drawn at all.
void PictureBox::line(double x1, double y1, double x2, double y2, QColor color) {
    QPointF from(to_px_x(x1), to_px_y(y1)), to(to_px_x(x2), to_px_y(y2));
    dot_phase_ = 0;
    const bool drawn = finite(from) && finite(to) &&
                       (!(beyond_far(from) || beyond_far(to)) || cut_to_far(from, to));
    if (drawn) {
        const QPoint a = nearest_pixel(from), b = nearest_pixel(to);
        const QRgb rgb = color.rgb();
        stroke([&] { raw_line(a, b, rgb, a != b); }, rgb);
        if (recording_) recording_->line(a, b, recorded_pen(color));
    }
    cur_x_ = x2;
    cur_y_ = y2;
    update();
}

void PictureBox::box(double x1, double y1, double x2, double y2, QColor color) {
    const QPointF p1(to_px_x(x1), to_px_y(y1)), p2(to_px_x(x2), to_px_y(y2));
    dot_phase_ = 0;
    if (finite(p1) && finite(p2)) {
        // The edges are upright, so holding the corners to the far bound changes nothing seen.
        const QPoint c1 = nearest_pixel(p1), c2 = nearest_pixel(p2);
        const QPoint a(std::min(c1.x(), c2.x()), std::min(c1.y(), c2.y()));
        const QPoint b(std::max(c1.x(), c2.x()), std::max(c1.y(), c2.y()));
        if (fill_style_ == kSolid) {
            const int top = std::max(a.y() + 1, 0), bottom = std::min(b.y(), image_.height());
            const int left = std::max(a.x() + 1, 0), right = std::min(b.x(), image_.width());
            for (int y = top; y < bottom; ++y)
                for (int x = left; x < right; ++x) plot(x, y, fill_color_.rgb());
        }
        const QRgb rgb = color.rgb();
        stroke(
            [&] {
                // A box without width or height is a single line, each pixel drawn once.
                if (a.x() == b.x() || a.y() == b.y()) {
                    raw_line(a, b, rgb, false);
                    return;
                }
                raw_line(a, {b.x(), a.y()}, rgb, true);
                raw_line({b.x(), a.y()}, b, rgb, true);
                raw_line(b, {a.x(), b.y()}, rgb, true);
                raw_line({a.x(), b.y()}, a, rgb, true);
            },
            rgb);
        if (recording_)
            recording_->box(
                a, b, recorded_pen(color),
                fill_style_ == kSolid ? std::optional<QColor>(fill_color_) : std::nullopt);
    }
    cur_x_ = x2;
    cur_y_ = y2;
    update();
}

// A circle whose centre or radius lies beyond the far bound is not drawn.
void PictureBox::circle(double x, double y, double radius, QColor color) {
    const QPointF centre(to_px_x(x), to_px_y(y));
    const double r_px = scale_w_ == 0 ? 0 : std::abs(radius * image_.width() / scale_w_);
    if (finite(centre) && !beyond_far(centre) && r_px <= kFar) {
        const QPoint c = nearest_pixel(centre);
        const auto r = static_cast<long long>(std::floor(r_px + 0.5));
        // Only the rows and columns inside the drawing area are visited; each pixel of the
        // disc is touched once, the outline (a pixel with a neighbour outside the disc) in
        // the given colour and, with a solid fill, the rest in the fill colour.
        const long long first_row = std::max(-r, -static_cast<long long>(c.y()));
        const long long last_row = std::min(r, static_cast<long long>(image_.height()) - 1 - c.y());
        for (long long dy = first_row; dy <= last_row; ++dy) {
            const long long half = disc_half_width(r, dy);
            // The half width of the next row out (none past the rim). The row nearer the centre
            // is never narrower, so only the outer one can make a pixel part of the outline.
            const long long outer =
                std::abs(dy) + 1 > r ? -1 : disc_half_width(r, std::abs(dy) + 1);
            const long long inner = std::min(half - 1, outer);
            const long long first = std::max(-half, -static_cast<long long>(c.x()));
            const long long last =
                std::min(half, static_cast<long long>(image_.width()) - 1 - c.x());
            for (long long dx = first; dx <= last; ++dx) {
                const int px = static_cast<int>(c.x() + dx), py = static_cast<int>(c.y() + dy);
                if (std::abs(dx) > inner) {
                    plot(px, py, color.rgb());
                } else if (fill_style_ == kSolid) {
                    plot(px, py, fill_color_.rgb());
                }
            }
        }
        if (recording_)
            recording_->disc(
                c, static_cast<int>(std::min<long long>(r, 1 << 20)), color,
                fill_style_ == kSolid ? std::optional<QColor>(fill_color_) : std::nullopt);
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
    const QRect place(at, QSize(fm.horizontalAdvance(text) + 4, fm.height()));
    p.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    if (recording_) recording_->text(place, text, font_, fore_color_);
    // The next print starts on the following line, at the left edge.
    cur_x_ = scale_left_;
    cur_y_ += image_.height() == 0 ? 0 : fm.height() * scale_h_ / image_.height();
    update();
}

QRect PictureBox::drawing_area() const {
    return rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
}

void PictureBox::take_frame(const QImage& picture, int x_px, int y_px) {
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x_px, y_px, picture);
    if (recording_) recording_->image({x_px, y_px}, picture);
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
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            button = 0;
            break;
    }
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF at = event->position() - QPointF(kBorder, kBorder);
    // The border is no part of the picture: a press on it is not a press in the box.
    if (at.x() < 0 || at.y() < 0 || at.x() >= image_.width() || at.y() >= image_.height()) {
        event->ignore();
        return;
    }
    const double sx = image_.width() == 0 ? 0 : scale_w_ / image_.width();
    const double sy = image_.height() == 0 ? 0 : scale_h_ / image_.height();
    emit mouse_down(button, shift, static_cast<float>(scale_left_ + at.x() * sx),
                    static_cast<float>(scale_top_ + at.y() * sy));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
