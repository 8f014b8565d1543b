#include "mediaservice/clip_session.h"

#include <QPainter>
#include <QRegion>
#include <QThread>

#include <algorithm>
#include <cmath>

#include "mediaservice/picture_fit.h"
#include "platform/drawing_surface.h"

namespace {
// Above this many pixels a destination is not scaled whole: at the largest the command allows
// (32767 x 32767) that picture alone would take 4 GB.
constexpr qint64 kLargestScaledPicture = qint64(4096) * 4096;

bool too_large_to_scale(const QRect& destination) {
    return qint64(destination.width()) * destination.height() > kLargestScaledPicture;
}

// The picture at `at` in an area of `size`, black around it.
QImage with_bars(const QImage& picture, const QRect& at, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter(&out).drawImage(at.topLeft(), picture);
    return out;
}
}  // namespace

ClipSession::ClipSession(std::unique_ptr<ClipDecoder> decoder, QWidget* parent)
    : decoder_(std::move(decoder)), parent_(parent) {
    destination_ = QRect(QPoint(0, 0), source_size());
    opened_ = decoder_->frame(0) != nullptr;
    if (parent) {
        widget_ = new VideoWidget(parent);
        place_widget();
        widget_->show();
    }
    plan_pictures();
    timer_.setTimerType(Qt::PreciseTimer);
    // Ticks at half a frame; the clock says which frame is due, so a clip of less than a frame
    // a second (or a damaged one claiming far less) is still looked at every second.
    const double half_frame_ms = 1000.0 * av_q2d(decoder_->timing().interval()) / 2;
    timer_.setInterval(static_cast<int>(std::clamp(half_frame_ms, 1.0, 1000.0)));
    connect(&timer_, &QTimer::timeout, this, &ClipSession::tick);
}

ClipSession::~ClipSession() { delete widget_.data(); }

int ClipSession::picture_threads() { return std::clamp(QThread::idealThreadCount(), 1, 4); }

const QImage& ClipSession::full_picture() const {
    if (picture_position_ != position_ && opened_) {
        // The frame on show is the decoder's latest or in its cache: rarely a decode here.
        if (const AVFrame* decoded = decoder_->frame(position_)) {
            stored_picture_ = converter_.convert(decoded, transform().stored(source_size()));
            picture_ = transform().upright(stored_picture_);
            picture_position_ = position_;
        }
    }
    return stored_picture_;
}

const QImage& ClipSession::picture() const {
    full_picture();
    return picture_;
}

QRect ClipSession::picture_rect() const {
    const QSize shown = source_size();
    const PictureRect r =
        fit_picture(shown.width(), shown.height(), destination_.width(), destination_.height());
    return QRect(r.x, r.y, r.width, r.height);
}

MediaError ClipSession::show(int frame) {
    if (frame == position_ && opened_) return kMediaOk;
    if (!decoder_->frame(frame)) return kDecodeFailed;
    opened_ = true;
    position_ = frame;
    ++frames_shown_;
    if (widget_) widget_->show_picture(scaled_picture(), picture_rect());
    return kMediaOk;
}

MediaError ClipSession::seek(std::int64_t frame) {
    pause();
    const std::int64_t last = length() - 1;
    return show(static_cast<int>(std::clamp<std::int64_t>(frame, 0, last)));
}

MediaError ClipSession::step(int delta) {
    pause();
    const int target = position_ + delta;
    if (target < 0 || target >= length()) return kMediaOk;
    return show(target);
}

void ClipSession::play() {
    if (playing() || position_ >= length() - 1) return;
    decoder_->set_threads(std::max(2, QThread::idealThreadCount()));
    // The first frame to come is decoded before the clock starts, so that the time a change of
    // threads takes is not counted against the frames due.
    decoder_->frame(position_ + 1);
    play_from_ = position_;
    clock_.start();
    timer_.start();
}

void ClipSession::pause() {
    timer_.stop();
    decoder_->set_threads(1);
}

void ClipSession::tick() {
    // The frame due by the clock; late ticks skip frames instead of slowing the clip down.
    const int target = decoder_->timing().due(play_from_, clock_.nsecsElapsed() / 1e9);
    if (target > position_ && show(target) != kMediaOk) {
        pause();
        return;
    }
    if (position_ >= length() - 1) pause();
}

void ClipSession::set_destination(const QRect& rect) {
    destination_ = rect;
    place_widget();
    plan_pictures();
}

void ClipSession::plan_pictures() {
    // Only a child window shows every frame stepped to.
    const bool shown = widget_ && !too_large_to_scale(destination_);
    decoder_->set_picture_size(shown ? transform().stored(picture_rect().size()) : QSize());
}

void ClipSession::show_in_widget() {
    if (!widget_ || !opened_ || destination_.width() <= 0 || destination_.height() <= 0) return;
    // The child window scales whatever it is given to its size as it paints, and paints only
    // what shows; a huge destination gets the frame at the clip's size for that.
    widget_->show_picture(too_large_to_scale(destination_) ? picture() : scaled_picture(),
                          picture_rect());
}

void ClipSession::place_widget() {
    if (!widget_) return;
    // The destination counts from the parent's drawing area: inside a surface's border, or
    // the whole of a plain window.
    const DrawingSurface* surface = as_drawing_surface(parent_.data());
    const QRect area = !parent_ ? QRect() : surface ? surface->drawing_area() : parent_->rect();
    const QRect geometry = destination_.translated(area.topLeft());
    widget_->setGeometry(geometry);
    show_in_widget();
    // Like a child window, the picture shows only inside its parent's drawing area, never over
    // the parent's border.
    if (parent_)
        widget_->setMask(QRegion(area.intersected(geometry).translated(-geometry.topLeft())));
}

const QImage& ClipSession::scaled_picture() {
    const QSize size = picture_rect().size();
    if (scaled_position_ != position_ || scaled_.size() != size) {
        const QSize stored = transform().stored(size);
        // Made in the background when the frame was decoded on the way to another, or kept
        // from when it was shown before.
        QImage made = decoder_->picture(position_, stored);
        if (made.isNull()) {
            // The frame on show is the decoder's latest or in its cache: rarely a decode here.
            const AVFrame* decoded = size == source_size() ? nullptr : decoder_->frame(position_);
            made = decoded ? scaler_.convert(decoded, stored)
                           : full_picture().scaled(stored, Qt::IgnoreAspectRatio,
                                                   Qt::SmoothTransformation);
            decoder_->keep_picture(position_, made);
        }
        scaled_ = transform().upright(made);
        scaled_position_ = position_;
    }
    return scaled_;
}

MediaError ClipSession::paint_into(QObject* surface, bool full) {
    DrawingSurface* target = as_drawing_surface(surface);
    if (!target) return kBadSurface;
    if (full) {
        target->take_frame(picture(), 0, 0);
        return kMediaOk;
    }
    if (destination_.width() <= 0 || destination_.height() <= 0) return kMediaOk;
    if (too_large_to_scale(destination_)) {
        paint_part(*target);
        return kMediaOk;
    }
    const QRect at = picture_rect();
    const QImage& picture = scaled_picture();
    target->take_frame(
        at.size() == destination_.size() ? picture : with_bars(picture, at, destination_.size()),
        destination_.x(), destination_.y());
    return kMediaOk;
}

void ClipSession::paint_part(DrawingSurface& target) {
    // Only the part of a huge destination that lies on the surface is made: the part of the
    // frame that maps onto it, scaled to its size, and the bars around it.
    const QRect area(QPoint(0, 0), target.drawing_area().size());
    const QRect on_surface = destination_.intersected(area);
    if (on_surface.isEmpty()) return;
    const QRect inner = picture_rect().translated(destination_.topLeft());
    const QRect shown = inner.intersected(area);
    QImage part;
    if (!shown.isEmpty()) {
        const QImage& frame = picture();
        const double sx = double(frame.width()) / inner.width();
        const double sy = double(frame.height()) / inner.height();
        const QRectF source((shown.x() - inner.x()) * sx, (shown.y() - inner.y()) * sy,
                            shown.width() * sx, shown.height() * sy);
        part = frame.copy(source.toAlignedRect().intersected(frame.rect()))
                   .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (shown == on_surface)
        target.take_frame(part, shown.x(), shown.y());
    else
        target.take_frame(
            with_bars(part, shown.translated(-on_surface.topLeft()), on_surface.size()),
            on_surface.x(), on_surface.y());
}
