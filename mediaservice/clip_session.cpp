#include "mediaservice/clip_session.h"

#include <QRegion>

#include <algorithm>
#include <cmath>

#include "platform/picture_box.h"

ClipSession::ClipSession(std::unique_ptr<ClipDecoder> decoder, QWidget* parent)
    : decoder_(std::move(decoder)), parent_(parent) {
    destination_ = QRect(QPoint(0, 0), decoder_->size());
    if (const AVFrame* first = decoder_->frame(0))
        picture_ = converter_.convert(first, decoder_->size());
    if (parent) {
        widget_ = new VideoWidget(parent);
        widget_->show_picture(picture_);
        place_widget();
        widget_->show();
    }
    timer_.setTimerType(Qt::PreciseTimer);
    const AVRational rate = decoder_->frame_rate();
    timer_.setInterval(std::max(1, static_cast<int>(1000.0 * rate.den / rate.num / 2)));
    connect(&timer_, &QTimer::timeout, this, &ClipSession::tick);
}

ClipSession::~ClipSession() { delete widget_.data(); }

MediaError ClipSession::show(int frame) {
    if (frame == position_ && !picture_.isNull()) return kMediaOk;
    const AVFrame* decoded = decoder_->frame(frame);
    if (!decoded) return kDecodeFailed;
    picture_ = converter_.convert(decoded, decoder_->size());
    position_ = frame;
    ++frames_shown_;
    if (widget_) widget_->show_picture(picture_);
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
    play_from_ = position_;
    clock_.start();
    timer_.start();
}

void ClipSession::tick() {
    // The frame due by the clock; late ticks skip frames instead of slowing the clip down.
    const AVRational rate = decoder_->frame_rate();
    const double elapsed = clock_.nsecsElapsed() / 1e9;
    const int due = play_from_ + static_cast<int>(std::floor(elapsed * rate.num / rate.den));
    const int target = std::min(due, length() - 1);
    if (target > position_ && show(target) != kMediaOk) {
        pause();
        return;
    }
    if (position_ >= length() - 1) pause();
}

void ClipSession::set_destination(const QRect& rect) {
    destination_ = rect;
    place_widget();
}

void ClipSession::place_widget() {
    if (!widget_) return;
    const int border = qobject_cast<PictureBox*>(parent_.data()) ? PictureBox::kBorder : 0;
    const QRect geometry = destination_.translated(border, border);
    widget_->setGeometry(geometry);
    // Like a child window, the picture shows only inside its parent's drawing area, never over
    // the parent's border.
    if (parent_) {
        const QRect area = parent_->rect().adjusted(border, border, -border, -border);
        widget_->setMask(QRegion(area.intersected(geometry).translated(-geometry.topLeft())));
    }
}

const QImage& ClipSession::scaled_picture() {
    if (scaled_position_ != position_ || scaled_.size() != destination_.size()) {
        // The frame on show is the decoder's latest or in its cache: no decoding here.
        const AVFrame* decoded =
            destination_.size() == picture_.size() ? nullptr : decoder_->frame(position_);
        if (decoded)
            scaled_ = scaler_.convert(decoded, destination_.size());
        else
            scaled_ = picture_.scaled(destination_.size(), Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation);
        scaled_position_ = position_;
    }
    return scaled_;
}

MediaError ClipSession::paint_into(QObject* surface) {
    auto* box = qobject_cast<PictureBox*>(surface);
    if (!box) return kBadSurface;
    if (destination_.width() <= 0 || destination_.height() <= 0) return kMediaOk;
    box->blit(scaled_picture(), destination_.x(), destination_.y());
    return kMediaOk;
}
