#pragma once
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <memory>

#include "mediaservice/clip_decoder.h"
#include "mediaservice/frame_picture.h"
#include "mediaservice/media_errors.h"
#include "mediaservice/video_widget.h"

class DrawingSurface;

// One open clip: the decoder, the frame being shown, the destination rectangle, the child
// video window (when there is a parent) and playback. Everything runs on the UI thread, so
// the frame that `position` names is always the one shown and painted. The frame is shown as a
// player shows it: turned upright, at its displayed shape, as large as fits in the destination
// (fit_picture), with black bars. The child window gets the frame at the size it shows there,
// made in the stored orientation and then turned (a small picture turns in microseconds); the
// frame at its displayed size is made only when asked for.
class ClipSession : public QObject {
    Q_OBJECT
  public:
    // Shows frame 0. `parent` may be null (no window).
    ClipSession(std::unique_ptr<ClipDecoder> decoder, QWidget* parent);
    ~ClipSession() override;

    int length() const { return decoder_->frame_count(); }
    int position() const { return position_; }
    // The size the frame shows at: turned, its pixel shape counted.
    QSize source_size() const { return decoder_->header().displayed; }
    // Where the picture shows within the destination (black bars around it), relative to it.
    QRect picture_rect() const;
    bool playing() const { return timer_.isActive(); }
    // The frame on show as displayed: upright, at source_size().
    const QImage& picture() const;
    const ClipDecoder& decoder() const { return *decoder_; }
    // Frames put on show since the clip was opened (a measure of how smoothly it plays).
    long frames_shown() const { return frames_shown_; }

    // Each leaves the position where it was on failure.
    MediaError seek(std::int64_t frame);
    // One frame on or back; at either end nothing moves and it succeeds.
    MediaError step(int delta);
    // Plays on several decoding threads; pausing goes back to one for the steps that follow.
    void play();
    void pause();
    void set_destination(const QRect& rect);
    // Paints the current frame as the destination shows it (with its black bars) into the
    // surface's drawing area, or with `full` at its displayed size at (0, 0) of that area.
    MediaError paint_into(QObject* surface, bool full = false);

  private:
    // Threads that share the making of one picture: the machine's cores, up to four.
    static int picture_threads();
    MediaError show(int frame);
    void tick();
    const QImage& scaled_picture();
    // The frame on show at its displayed size, in the orientation it is stored in.
    const QImage& full_picture() const;
    const DisplayTransform& transform() const { return decoder_->header().transform; }
    // Paints the part of a destination too large to scale whole that lies on the surface.
    void paint_part(DrawingSurface& target);
    void place_widget();
    // Tells the decoder which pictures to make in the background for the steps to come.
    void plan_pictures();
    // Hands the child window the frame on show at the window's size.
    void show_in_widget();

    std::unique_ptr<ClipDecoder> decoder_;
    mutable FramePicture converter_{picture_threads()};
    FramePicture scaler_{picture_threads()};
    int position_ = 0;
    bool opened_ = false;  // frame 0 could be decoded
    mutable QImage stored_picture_;
    mutable QImage picture_;
    mutable int picture_position_ = -1;
    QImage scaled_;
    int scaled_position_ = -1;
    QRect destination_;
    QPointer<QWidget> parent_;
    QPointer<VideoWidget> widget_;
    QTimer timer_;
    QElapsedTimer clock_;
    int play_from_ = 0;
    long frames_shown_ = 0;
};
