#include "tools/clip_encoders.h"

extern "C" {
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

namespace {

AVPixelFormat encoder_format(const AVCodec* codec) {
    if (codec->id == AV_CODEC_ID_RAWVIDEO) return AV_PIX_FMT_BGR24;
    if (codec->pix_fmts) return codec->pix_fmts[0];
    return AV_PIX_FMT_YUV420P;
}

void set(AVCodecContext* encoder, const char* name, const std::string& value) {
    av_opt_set(encoder->priv_data, name, value.c_str(), 0);
}

// Fixed B-frames and keyframes, so that every clip really reorders where it says so.
void configure_x264(AVCodecContext* encoder, const ClipFormat& f) {
    set(encoder, "preset", "veryfast");
    const std::string params = std::string(f.b_frames > 0 ? "b-adapt=0:" : "") +
                               (f.open_gop ? "open-gop=1:" : "") + "scenecut=0";
    set(encoder, "x264-params", params);
}

// SAO on: with it off, x265 3.5 leaks the SAO tables it makes anyway.
void configure_x265(AVCodecContext* encoder, const ClipFormat& f) {
    set(encoder, "preset", "ultrafast");
    set(encoder, "x265-params",
        "log-level=error:sao=1:scenecut=0:b-adapt=0:bframes=" + std::to_string(f.b_frames) +
            ":keyint=" + std::to_string(f.gop) + ":min-keyint=" + std::to_string(f.gop) +
            ":open-gop=" + (f.open_gop ? "1" : "0"));
}

// VP9 has no B-frames; its alternate reference frames are the frames coded ahead and never
// shown by themselves, so b_frames asks for those.
void configure_vp9(AVCodecContext* encoder, const ClipFormat& f) {
    encoder->keyint_min = f.gop;
    encoder->bit_rate = 0;
    set(encoder, "crf", "32");
    set(encoder, "row-mt", "1");
    if (f.b_frames > 0) {
        set(encoder, "deadline", "good");
        set(encoder, "cpu-used", "5");
        set(encoder, "auto-alt-ref", "1");
        set(encoder, "lag-in-frames", "16");
    } else {
        set(encoder, "deadline", "realtime");
        set(encoder, "cpu-used", "8");
    }
}

void configure_av1(AVCodecContext* encoder, const AVCodec* codec, const ClipFormat& f) {
    encoder->keyint_min = f.gop;
    if (std::string(codec->name) == "libsvtav1") {
        set(encoder, "preset", "12");
        set(encoder, "svtav1-params", "scd=0");
    } else {
        encoder->bit_rate = 0;
        set(encoder, "crf", "32");
        set(encoder, "usage", "realtime");
        set(encoder, "cpu-used", "8");
        set(encoder, "row-mt", "1");
    }
}

}  // namespace

std::string configure_encoder(AVCodecContext* encoder, const AVCodec* codec, const ClipFormat& f) {
    encoder->width = f.width;
    encoder->height = f.height;
    encoder->time_base = AVRational{f.rate_den, f.rate_num};
    encoder->framerate = AVRational{f.rate_num, f.rate_den};
    encoder->pix_fmt = encoder_format(codec);
    if (!f.pixel_format.empty()) {
        encoder->pix_fmt = av_get_pix_fmt(f.pixel_format.c_str());
        if (encoder->pix_fmt == AV_PIX_FMT_NONE) return "no pixel format " + f.pixel_format;
    }
    encoder->gop_size = f.gop;
    encoder->max_b_frames = f.b_frames;
    encoder->thread_count = 1;
    if (f.sar_num != f.sar_den) encoder->sample_aspect_ratio = AVRational{f.sar_num, f.sar_den};
    switch (codec->id) {
        case AV_CODEC_ID_H264:
            configure_x264(encoder, f);
            break;
        case AV_CODEC_ID_HEVC:
            // Its lookahead writes past its buffers on narrower pictures (x265 3.5).
            if (f.width < 64) return "libx265 needs pictures at least 64 pixels wide";
            configure_x265(encoder, f);
            break;
        case AV_CODEC_ID_VP9:
            configure_vp9(encoder, f);
            break;
        case AV_CODEC_ID_AV1:
            configure_av1(encoder, codec, f);
            break;
        default:
            encoder->flags |= AV_CODEC_FLAG_QSCALE;
            encoder->global_quality = FF_QP2LAMBDA * f.quality;
            break;
    }
    if (codec->id == AV_CODEC_ID_MJPEG) encoder->color_range = AVCOL_RANGE_JPEG;
    return "";
}
