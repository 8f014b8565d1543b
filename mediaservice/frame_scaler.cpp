#include "mediaservice/frame_scaler.h"

#include <string_view>

#include "mediaservice/frame_colours.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

namespace {
// The colour matrix and range a frame from YUV to RGB needs where FFmpeg's scaler would not
// find them by itself: it assumes the older matrix of standard-definition video, and studio
// range for all but the JPEG formats. Phones write high definition (BT.709) and often full
// range. Clips that say neither keep what they always had.
struct ColourDetails {
    int matrix = SWS_CS_DEFAULT;
    int full_range = 0;
    bool needed = false;
};

ColourDetails colour_details(const AVFrame* source, const AVFrame* target) {
    ColourDetails d;
    const AVPixFmtDescriptor* in = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(source->format));
    const AVPixFmtDescriptor* out = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(target->format));
    if (!in || !out || (in->flags & AV_PIX_FMT_FLAG_RGB) || !(out->flags & AV_PIX_FMT_FLAG_RGB))
        return d;
    const int matrix = frame_colours::matrix(source);
    switch (matrix) {
        case AVCOL_SPC_BT709:
        case AVCOL_SPC_FCC:
        case AVCOL_SPC_SMPTE240M:
        case AVCOL_SPC_BT2020_NCL:
            d.matrix = matrix;
            d.needed = true;
            break;
        case AVCOL_SPC_BT2020_CL:
            d.matrix = SWS_CS_BT2020;
            d.needed = true;
            break;
        default:
            break;
    }
    // The JPEG formats are full range to the scaler already.
    const bool jpeg_format = std::string_view(in->name).rfind("yuvj", 0) == 0;
    if (frame_colours::range(source) == AVCOL_RANGE_JPEG && !jpeg_format) {
        d.full_range = 1;
        d.needed = true;
    }
    return d;
}

// Below this many source pixels the threads' hand-over costs as much as it saves: a frame just
// decoded is in the processor's cache, and one thread makes its picture about as fast.
constexpr int kPixelsWorthThreads = 1920 * 1080;

void keep_memory(void*, std::uint8_t*) {}
}  // namespace

SwsContext* FrameScaler::scaler_for(const AVFrame* source, const AVFrame* target, int flags) {
    const int threads = source->width * source->height >= kPixelsWorthThreads ? threads_ : 1;
    const ColourDetails colour = colour_details(source, target);
    const std::array<int, 10> wanted = {
        source->width,  source->height, source->format, target->width, target->height,
        target->format, flags,          threads,        colour.matrix, colour.full_range};
    if (sws_ && wanted == made_for_) return sws_.get();
    sws_.reset(sws_alloc_context());
    if (!sws_) return nullptr;
    SwsContext* s = sws_.get();
    av_opt_set_int(s, "srcw", source->width, 0);
    av_opt_set_int(s, "srch", source->height, 0);
    av_opt_set_int(s, "src_format", source->format, 0);
    av_opt_set_int(s, "dstw", target->width, 0);
    av_opt_set_int(s, "dsth", target->height, 0);
    av_opt_set_int(s, "dst_format", target->format, 0);
    av_opt_set_int(s, "sws_flags", flags, 0);
    av_opt_set_int(s, "threads", threads, 0);
    if (sws_init_context(s, nullptr, nullptr) < 0) {
        sws_.reset();
        return nullptr;
    }
    if (colour.needed) {
        int *inverse = nullptr, *table = nullptr;
        int source_range = 0, target_range = 0, brightness = 0, contrast = 0, saturation = 0;
        sws_getColorspaceDetails(s, &inverse, &source_range, &table, &target_range, &brightness,
                                 &contrast, &saturation);
        sws_setColorspaceDetails(s, sws_getCoefficients(colour.matrix), colour.full_range, table,
                                 target_range, brightness, contrast, saturation);
    }
    made_for_ = wanted;
    return s;
}

bool FrameScaler::scale(const AVFrame* source, AVFrame* target, int flags) {
    SwsContext* s = scaler_for(source, target, flags);
    // The frame interface shares the rows out among the scaler's threads.
    return s && sws_scale_frame(s, target, source) >= 0;
}

bool FrameScaler::scale(const AVFrame* source, std::uint8_t* pixels, int stride, int width,
                        int height, AVPixelFormat format, int flags) {
    AvFramePtr target(av_frame_alloc());
    if (!target) return false;
    target->width = width;
    target->height = height;
    target->format = format;
    target->data[0] = pixels;
    target->linesize[0] = stride;
    // The memory stays the caller's: the scaler only needs to see that the frame has some.
    target->buf[0] = av_buffer_create(pixels, static_cast<std::size_t>(stride) * height,
                                      &keep_memory, nullptr, 0);
    return target->buf[0] && scale(source, target.get(), flags);
}
