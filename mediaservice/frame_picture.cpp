#include "mediaservice/frame_picture.h"

#include <cstdlib>

namespace {

// sws_scale's vector code writes whole blocks of pixels, so that the last row may run past the
// picture by up to a block: the picture's memory has room for that behind it, where a plain
// QImage would end at the next allocation's header.
constexpr qsizetype kTailBytes = 256;

QImage padded_picture(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    const qsizetype line = static_cast<qsizetype>(width) * 4;
    auto* data = static_cast<uchar*>(std::malloc(line * height + kTailBytes));
    if (!data) return QImage();
    QImage picture(
        data, width, height, line, QImage::Format_RGB32, [](void* memory) { std::free(memory); },
        data);
    // A picture Qt refuses never takes the memory over.
    if (picture.isNull()) std::free(data);
    return picture;
}

}  // namespace

QImage& FramePicture::free_picture(int width, int height) {
    for (QImage& picture : pictures_) {
        if (picture.width() == width && picture.height() == height && picture.isDetached())
            return picture;
    }
    // All in use (or of another size): the oldest slot gets a new picture.
    std::swap(pictures_[0], pictures_[2]);
    std::swap(pictures_[0], pictures_[1]);
    pictures_[0] = padded_picture(width, height);
    return pictures_[0];
}

const AVFrame* FramePicture::shrunk(const AVFrame* frame, QSize size) {
    // The area filter reads every source pixel: from 3840 x 2160 into 320 x 240 that takes
    // many times longer than the fast filter's few rows, with no difference to be seen once
    // the area filter averages the last factor of two.
    const QSize middle = size * 2;
    if (frame->width < 3 * middle.width() || frame->height < 3 * middle.height()) return frame;
    const auto format = static_cast<AVPixelFormat>(frame->format);
    if (!halfway_ || halfway_->width != middle.width() || halfway_->height != middle.height() ||
        halfway_->format != frame->format) {
        halfway_.reset(av_frame_alloc());
        if (!halfway_) return frame;
        halfway_->format = format;
        halfway_->width = middle.width();
        halfway_->height = middle.height();
        if (av_frame_get_buffer(halfway_.get(), 0) < 0) {
            halfway_.reset();
            return frame;
        }
    }
    shrink_.reset(sws_getCachedContext(shrink_.release(), frame->width, frame->height, format,
                                       middle.width(), middle.height(), format, SWS_FAST_BILINEAR,
                                       nullptr, nullptr, nullptr));
    if (!shrink_) return frame;
    sws_scale(shrink_.get(), frame->data, frame->linesize, 0, frame->height, halfway_->data,
              halfway_->linesize);
    return halfway_.get();
}

QImage FramePicture::convert(const AVFrame* original, QSize size) {
    QImage& picture = free_picture(size.width(), size.height());
    const AVFrame* frame = shrunk(original, size);
    const bool same = size == QSize(frame->width, frame->height);
    sws_.reset(sws_getCachedContext(sws_.release(), frame->width, frame->height,
                                    static_cast<AVPixelFormat>(frame->format), size.width(),
                                    size.height(), AV_PIX_FMT_BGRA, same ? SWS_POINT : SWS_AREA,
                                    nullptr, nullptr, nullptr));
    if (picture.isNull()) return picture;  // no memory for a picture that size
    if (!sws_) {
        picture.fill(Qt::black);
        return picture;
    }
    uint8_t* planes[] = {picture.bits()};
    const int strides[] = {static_cast<int>(picture.bytesPerLine())};
    sws_scale(sws_.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return picture;
}
