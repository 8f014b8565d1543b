#include "mediaservice/clip_session.h"

#include <QRegion>
#include <QThread>

#include <algorithm>
#include <cmath>

#include "platform/drawing_surface.h"

namespace {
// Above this many pixels a destination is not scaled whole: at the largest the command allows
// (32767 x 32767) that picture alone would take 4 GB.
constexpr qint64 kLargestScaledPicture = qint64(4096) * 4096;

bool too_large_to_scale(const QRect& destination) {
    return qint64(destination.width()) * destination.height() > kLargestScaledPicture;
}
}  // namespace

ClipSession::ClipSession(std::unique_ptr<ClipDecoder> decoder, QWidget* parent)
    : decoder_(std::move(decoder)), parent_(parent) {
    destination_ = QRect(QPoint(0, 0), decoder_->size());
    opened_ = decoder_->frame(0) != nullptr;
    if (parent) {
        widget_ = new VideoWidget(parent);
        place_widget();
        widget_->show();
    }
    plan_pictures();
    timer_.setTimerType(Qt::PreciseTimer);
    const AVRational rate = decoder_->frame_rate();
    // Ticks at half a frame; the clock says which frame is due, so a clip of less than a frame
    // a second (or a damaged one claiming far less) is still looked at every second.
    const double half_frame_ms = 1000.0 * rate.den / rate.num / 2;
    timer_.setInterval(static_cast<int>(std::clamp(half_frame_ms, 1.0, 1000.0)));
    connect(&timer_, &QTimer::timeout, this, &ClipSession::tick);
}

ClipSession::~ClipSession() { delete widget_.data(); }

int ClipSession::picture_threads() { return std::clamp(QThread::idealThreadCount(), 1, 4); }

const QImage& ClipSession::picture() const {
    if (picture_position_ != position_ && opened_) {
        // The frame on show is the decoder's latest or in its cache: rarely a decode here.
        if (const AVFrame* decoded = decoder_->frame(position_)) {
            picture_ = converter_.convert(decoded, decoder_->size());
            picture_position_ = position_;
        }
    }
    return picture_;
}

MediaError ClipSession::show(int frame) {
    if (frame == position_ && opened_) return kMediaOk;
    if (!decoder_->frame(frame)) return kDecodeFailed;
    opened_ = true;
    position_ = frame;
    ++frames_shown_;
    if (widget_) widget_->show_picture(scaled_picture());
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
    const AVRational rate = decoder_->frame_rate();
    const double elapsed = clock_.nsecsElapsed() / 1e9;
    // Counted in floating point: a clip claiming billions of frames a second is due at its end.
    const double due = play_from_ + std::floor(elapsed * rate.num / rate.den);
    const int target = static_cast<int>(std::min<double>(due, length() - 1));
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
    decoder_->set_picture_size(shown ? destination_.size() : QSize());
}

void ClipSession::show_in_widget() {
    if (!widget_ || !opened_ || destination_.width() <= 0 || destination_.height() <= 0) return;
    // The child window scales whatever it is given to its size as it paints, and paints only
    // what shows; a huge destination gets the frame at the clip's size for that.
    widget_->show_picture(too_large_to_scale(destination_) ? picture() : scaled_picture());
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
    if (scaled_position_ != position_ || scaled_.size() != destination_.size()) {
        // Made in the background when the frame was decoded on the way to another, or kept
        // from when it was shown before.
        scaled_ = decoder_->picture(position_, destination_.size());
        if (scaled_.isNull()) {
            // The frame on show is the decoder's latest or in its cache: rarely a decode here.
            const AVFrame* decoded =
                destination_.size() == source_size() ? nullptr : decoder_->frame(position_);
            if (decoded)
                scaled_ = scaler_.convert(decoded, destination_.size());
            else
                scaled_ = picture().scaled(destination_.size(), Qt::IgnoreAspectRatio,
                                           Qt::SmoothTransformation);
            decoder_->keep_picture(position_, scaled_);
        }
        scaled_position_ = position_;
    }
    return scaled_;
}

MediaError ClipSession::paint_into(QObject* surface) {
    DrawingSurface* target = as_drawing_surface(surface);
    if (!target) return kBadSurface;
    if (destination_.width() <= 0 || destination_.height() <= 0) return kMediaOk;
    if (!too_large_to_scale(destination_)) {
        target->take_frame(scaled_picture(), destination_.x(), destination_.y());
        return kMediaOk;
    }
    // Only the part of a huge destination that lies on the surface is made: the part of the
    // frame that maps onto it, scaled to its size.
    const QRect shown =
        destination_.intersected(QRect(QPoint(0, 0), target->drawing_area().size()));
    if (shown.isEmpty()) return kMediaOk;
    const QImage& frame = picture();
    const double sx = double(frame.width()) / destination_.width();
    const double sy = double(frame.height()) / destination_.height();
    const QRectF part((shown.x() - destination_.x()) * sx, (shown.y() - destination_.y()) * sy,
                      shown.width() * sx, shown.height() * sy);
    const QRect source = part.toAlignedRect().intersected(frame.rect());
    target->take_frame(
        frame.copy(source).scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
        shown.x(), shown.y());
    return kMediaOk;
}
