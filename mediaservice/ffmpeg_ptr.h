#pragma once
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

// Owners of FFmpeg objects, so that every early return frees what was made.
struct AvInputCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct AvCodecContextFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct AvFrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct AvPacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct SwsFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};

using AvInputPtr = std::unique_ptr<AVFormatContext, AvInputCloser>;
using AvCodecContextPtr = std::unique_ptr<AVCodecContext, AvCodecContextFreer>;
using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFreer>;
using AvPacketPtr = std::unique_ptr<AVPacket, AvPacketFreer>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;

// The text of an FFmpeg error code (av_err2str does not compile in C++).
inline std::string av_error_text(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}
