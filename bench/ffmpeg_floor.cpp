#include "bench/ffmpeg_floor.h"

#include <QImage>
#include <QTransform>
#include <algorithm>

#include "bench/bench_clips.h"
#include "mediaservice/ffmpeg_ptr.h"
#include "mediaservice/frame_picture.h"

extern "C" {
#include <libavutil/display.h>
}

namespace {

struct Plain {
    AvInputPtr format;
    AvCodecContextPtr codec;
    int stream = 0;
    AvPacketPtr packet{av_packet_alloc()};
    AvFramePtr frame{av_frame_alloc()};
    FramePicture picture;
    double turn = 0;  // degrees clockwise

    explicit Plain(const std::string& path) {
        AVFormatContext* raw = nullptr;
        avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
        format.reset(raw);
        avformat_find_stream_info(raw, nullptr);
        stream = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        const AVCodec* decoder = avcodec_find_decoder(raw->streams[stream]->codecpar->codec_id);
        codec.reset(avcodec_alloc_context3(decoder));
        avcodec_parameters_to_context(codec.get(), raw->streams[stream]->codecpar);
        codec->thread_count = 1;
        avcodec_open2(codec.get(), decoder, nullptr);
        const auto* matrix = reinterpret_cast<const int32_t*>(
            av_stream_get_side_data(raw->streams[stream], AV_PKT_DATA_DISPLAYMATRIX, nullptr));
        if (matrix) turn = -av_display_rotation_get(matrix);
    }
    // The frame as a plain program shows it: converted, then turned upright by its header.
    QImage shown() {
        const QImage converted = picture.convert(frame.get());
        return turn == 0 ? converted : converted.transformed(QTransform().rotate(turn));
    }
    // Seeks to frame `keyframe`, a keyframe. Frames are sought by their time in
    // the stream's time base (the bench's clips keep one rate): a frame number is a time only
    // in AVI, and elsewhere would seek to the clip's start.
    void seek(int keyframe) {
        const AVStream* s = format->streams[stream];
        const std::int64_t start = s->start_time == AV_NOPTS_VALUE ? 0 : s->start_time;
        avcodec_flush_buffers(codec.get());
        av_seek_frame(format.get(), stream,
                      start + av_rescale_q(keyframe, av_inv_q(s->r_frame_rate), s->time_base),
                      AVSEEK_FLAG_BACKWARD);
    }
    // The next frame out, or false at the end.
    bool next() {
        for (;;) {
            const int rc = avcodec_receive_frame(codec.get(), frame.get());
            if (rc == 0) return true;
            if (rc != AVERROR(EAGAIN)) return false;
            bool sent = false;
            while (!sent && av_read_frame(format.get(), packet.get()) >= 0) {
                if (packet->stream_index == stream) {
                    avcodec_send_packet(codec.get(), packet.get());
                    sent = true;
                }
                av_packet_unref(packet.get());
            }
            if (!sent) avcodec_send_packet(codec.get(), nullptr);
        }
    }
};

}  // namespace

Floor measure_floor(const std::string& path, const std::vector<int>& targets, int gop) {
    Floor floor;
    // The quicker of two passes: the floor is what the machine can do.
    for (int pass = 0; pass < 2; ++pass) {
        Plain sequential(path);
        int frames = 0;
        const double start = now_ms();
        while (sequential.next()) {
            (void)sequential.shown();
            ++frames;
        }
        const double per_frame = (now_ms() - start) / std::max(1, frames);
        floor.step_ms = pass == 0 ? per_frame : std::min(floor.step_ms, per_frame);
    }
    Plain plain(path);
    for (int target : targets) {
        const int keyframe = target / gop * gop;
        const double t0 = now_ms();
        plain.seek(keyframe);
        for (int k = keyframe; k <= target && plain.next(); ++k) {
        }
        (void)plain.shown();
        floor.from_keyframe_ms.push_back(now_ms() - t0);
    }
    return floor;
}

double measure_interval_floor(const std::string& path, int first, int frames) {
    Plain plain(path);
    const double t0 = now_ms();
    plain.seek(first);
    for (int k = 0; k < frames && plain.next(); ++k) {
    }
    (void)plain.shown();
    return now_ms() - t0;
}
