#include "mediaservice/frame_picture.h"

QImage FramePicture::convert(const AVFrame* frame) {
    QImage picture(frame->width, frame->height, QImage::Format_RGB32);
    sws_.reset(sws_getCachedContext(sws_.release(), frame->width, frame->height,
                                    static_cast<AVPixelFormat>(frame->format), frame->width,
                                    frame->height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr,
                                    nullptr));
    if (!sws_) {
        picture.fill(Qt::black);
        return picture;
    }
    uint8_t* planes[] = {picture.bits()};
    const int strides[] = {static_cast<int>(picture.bytesPerLine())};
    sws_scale(sws_.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    return picture;
}
