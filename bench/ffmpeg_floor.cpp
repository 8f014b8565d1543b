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

int keyframe_before(AVStream* stream, int frame) {
    const int entry = av_index_search_timestamp(stream, frame, AVSEEK_FLAG_BACKWARD);
    return entry < 0 ? 0 : static_cast<int>(avformat_index_get_entry(stream, entry)->timestamp);
}

}  // namespace

Floor measure_floor(const std::string& path, const std::vector<int>& targets) {
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
        AVStream* stream = plain.format->streams[plain.stream];
        const int keyframe = keyframe_before(stream, target);
        const double t0 = now_ms();
        avcodec_flush_buffers(plain.codec.get());
        av_seek_frame(plain.format.get(), plain.stream, keyframe, AVSEEK_FLAG_BACKWARD);
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
    av_seek_frame(plain.format.get(), plain.stream, first, AVSEEK_FLAG_BACKWARD);
    for (int k = 0; k < frames && plain.next(); ++k) {
    }
    (void)plain.shown();
    return now_ms() - t0;
}
