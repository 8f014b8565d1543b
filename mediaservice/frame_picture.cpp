#include "mediaservice/frame_picture.h"

#include <atomic>

#include "mediaservice/frame_colours.h"
#include "mediaservice/picture_pool.h"

namespace {

// sws_scale's vector code writes whole blocks of pixels, so that the last row may run past the
// picture by up to a block: the picture's memory has room for that behind it, where a plain
// QImage would end at the next allocation's header.
constexpr qsizetype kTailBytes = 256;

QImage padded_picture(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    const qsizetype line = static_cast<qsizetype>(width) * 4;
    uchar* data = picture_pool::take(static_cast<std::size_t>(line * height + kTailBytes));
    if (!data) return QImage();
    const auto give_back = [](void* memory) {
        picture_pool::give_back(static_cast<std::uint8_t*>(memory));
    };
    QImage picture(data, width, height, line, QImage::Format_RGB32, give_back, data);
    // A picture Qt refuses never takes the memory over.
    if (picture.isNull()) picture_pool::give_back(data);
    return picture;
}

}  // namespace

QImage& FramePicture::free_picture(int width, int height) {
    for (QImage& picture : pictures_) {
        if (picture.width() == width && picture.height() == height && picture.isDetached()) {
            // Another thread may just have let go of the picture after reading it: its reads
            // must be over before this thread writes, and isDetached() reads the count relaxed.
            std::atomic_thread_fence(std::memory_order_acquire);
            return picture;
        }
    }
    // All in use (or of another size): the oldest slot gets a new picture.
    std::swap(pictures_[0], pictures_[2]);
    std::swap(pictures_[0], pictures_[1]);
    pictures_[0] = padded_picture(width, height);
    return pictures_[0];
}

const AVFrame* FramePicture::resized(const AVFrame* frame, QSize size, FrameScaler& scaler,
                                     AvFramePtr& buffer, int flags) {
    if (!buffer || buffer->width != size.width() || buffer->height != size.height() ||
        buffer->format != frame->format) {
        buffer.reset(av_frame_alloc());
        if (!buffer) return nullptr;
        buffer->format = frame->format;
        buffer->width = size.width();
        buffer->height = size.height();
        if (av_frame_get_buffer(buffer.get(), 0) < 0) {
            buffer.reset();
            return nullptr;
        }
    }
    // The colours of the frame go with it into the scaled one.
    frame_colours::copy(frame, buffer.get());
    return scaler.scale(frame, buffer.get(), flags) ? buffer.get() : nullptr;
}

const AVFrame* FramePicture::shrunk(const AVFrame* frame, QSize size) {
    // The area filter reads every source pixel: from 3840 x 2160 into 320 x 240 that takes
    // many times longer than the fast filter's few rows, with no difference to be seen once
    // the area filter averages the last factor of two.
    const QSize middle = size * 2;
    if (frame->width < 3 * middle.width() || frame->height < 3 * middle.height()) return frame;
    const AVFrame* halfway = resized(frame, middle, shrink_, halfway_, SWS_FAST_BILINEAR);
    return halfway ? halfway : frame;
}

QImage FramePicture::convert(const AVFrame* original, QSize size) {
    QImage& picture = free_picture(size.width(), size.height());
    if (picture.isNull()) return picture;  // no memory for a picture that size
    const AVFrame* frame = shrunk(original, size);
    // Scaled in the frame's own format, then converted pixel for pixel: FFmpeg's conversion of
    // a scaled frame to 32 bits is a fifth slower than the two together.
    if (size != QSize(frame->width, frame->height) &&
        sws_isSupportedOutput(static_cast<AVPixelFormat>(frame->format))) {
        if (const AVFrame* scaled = resized(frame, size, area_, scaled_, SWS_AREA)) frame = scaled;
    }
    const bool same = size == QSize(frame->width, frame->height);
    if (!sws_.scale(frame, picture.bits(), static_cast<int>(picture.bytesPerLine()), size.width(),
                    size.height(), AV_PIX_FMT_BGRA, same ? SWS_POINT : SWS_AREA))
        picture.fill(Qt::black);
    return picture;
}
