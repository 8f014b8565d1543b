// The decoder's side of the frame store: frames decoded straight into its buffers.
#include <algorithm>

#include "mediaservice/frame_store.h"

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
}

namespace {
// Whether the store can hold the decoder's frames of this format: plain pictures in memory.
bool plain_pictures(const AVCodecContext* codec, AVPixelFormat format) {
    const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(format);
    constexpr auto kNotPlain =
        AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL | AV_PIX_FMT_FLAG_BITSTREAM;
    return pixels && !(pixels->flags & kNotPlain) && codec->codec &&
           (codec->codec->capabilities & AV_CODEC_CAP_DR1);
}
}  // namespace

void FrameStore::decode_into(AVCodecContext* codec) {
    codec->opaque = this;
    codec->get_buffer2 = &FrameStore::decoder_buffer;
}

int FrameStore::decoder_buffer(AVCodecContext* codec, AVFrame* frame, int flags) {
    const auto format = static_cast<AVPixelFormat>(frame->format);
    if (!plain_pictures(codec, format)) return avcodec_default_get_buffer2(codec, frame, flags);
    // The decoder's own rules for the picture's padded size and its lines' alignment.
    int width = frame->width, height = frame->height;
    int line_align[AV_NUM_DATA_POINTERS] = {};
    avcodec_align_dimensions2(codec, &width, &height, line_align);
    int lines[4] = {};
    for (bool aligned = false; !aligned; width += width & ~(width - 1)) {
        if (av_image_fill_linesizes(lines, format, width) < 0) return AVERROR(EINVAL);
        aligned = true;
        for (int i = 0; i < 4; ++i)
            aligned = aligned && lines[i] % std::max(line_align[i], kAlign) == 0;
    }
    ptrdiff_t strides[4] = {lines[0], lines[1], lines[2], lines[3]};
    std::size_t sizes[4] = {};
    if (av_image_fill_plane_sizes(sizes, format, height, strides) < 0) return AVERROR(EINVAL);
    // Room after each plane for the decoders' reads past its end.
    constexpr std::size_t kPlanePadding = 16 + kAlign;
    std::size_t offsets[4] = {}, total = 0;
    for (int i = 0; i < 4; ++i) {
        offsets[i] = total;
        if (sizes[i] > 0) total += (sizes[i] + kPlanePadding + kAlign - 1) / kAlign * kAlign;
    }
    AVBufferRef* buffer = static_cast<FrameStore*>(codec->opaque)->buffer(total);
    if (!buffer) return AVERROR(ENOMEM);
    frame->buf[0] = buffer;
    for (int i = 0; i < 4; ++i) {
        frame->data[i] = sizes[i] > 0 ? buffer->data + offsets[i] : nullptr;
        frame->linesize[i] = sizes[i] > 0 ? lines[i] : 0;
    }
    frame->extended_data = frame->data;
    return 0;
}
