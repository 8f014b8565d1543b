// What the clip writer puts into a file, read back with libavformat and libavcodec alone:
// the frames shown with their numbers in order, their times, the display matrix applied as
// FFmpeg defines it, the sample aspect ratio, the capture rate tag and the sound track.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTransform>
#include <algorithm>
#include <map>

#include "mediaservice/ffmpeg_ptr.h"
#include "tools/clip_kinds.h"
#include "tools/clip_writer.h"
#include "tools/frame_pattern.h"

extern "C" {
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
}

namespace {

// The picture a player shows: the display matrix applied to the stored picture, each stored
// point (p, q) going to (a p + c q, b p + d q), then the sample aspect ratio.
QImage upright(const QImage& stored, const std::int32_t* matrix, AVRational sar) {
    QImage picture = stored;
    if (sar.num > 0 && sar.den > 0 && sar.num != sar.den)
        picture = picture.scaled(static_cast<int>(stored.width() * av_q2d(sar)), stored.height());
    if (!matrix) return picture;
    const QTransform turn(matrix[0] / 65536.0, matrix[1] / 65536.0, matrix[3] / 65536.0,
                          matrix[4] / 65536.0, 0, 0);
    return picture.transformed(turn);
}

struct ReadBack {
    std::map<std::int64_t, int> numbers;  // presentation time (stream units) -> number read
    AVRational time_base{};
    QSize shown;
};

ReadBack read_back(const std::string& path) {
    ReadBack result;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return result;
    AvInputPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    const int index = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    AVStream* stream = raw->streams[index];
    result.time_base = stream->time_base;
    const auto* matrix = reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (stream->codecpar->codec_id == AV_CODEC_ID_AV1)
        decoder = avcodec_find_decoder_by_name("libdav1d");
    AvCodecContextPtr codec(avcodec_alloc_context3(decoder));
    avcodec_parameters_to_context(codec.get(), stream->codecpar);
    avcodec_open2(codec.get(), decoder, nullptr);
    AvPacketPtr packet(av_packet_alloc());
    AvFramePtr frame(av_frame_alloc());
    auto take = [&] {
        while (avcodec_receive_frame(codec.get(), frame.get()) == 0) {
            QImage stored(frame->width, frame->height, QImage::Format_RGB32);
            SwsPtr sws(sws_getContext(frame->width, frame->height,
                                      static_cast<AVPixelFormat>(frame->format), frame->width,
                                      frame->height, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr,
                                      nullptr, nullptr));
            uint8_t* dst[] = {stored.bits()};
            const int stride[] = {static_cast<int>(stored.bytesPerLine())};
            sws_scale(sws.get(), frame->data, frame->linesize, 0, frame->height, dst, stride);
            const QImage shown = upright(stored, matrix, stream->sample_aspect_ratio);
            result.shown = shown.size();
            if (frame->best_effort_timestamp >= 0)
                result.numbers[frame->best_effort_timestamp] = read_frame_number(shown);
        }
    };
    while (av_read_frame(raw, packet.get()) >= 0) {
        if (packet->stream_index == index) avcodec_send_packet(codec.get(), packet.get());
        av_packet_unref(packet.get());
        take();
    }
    avcodec_send_packet(codec.get(), nullptr);
    take();
    return result;
}

class ClipWriter : public ::testing::TestWithParam<ClipKind> {
  protected:
    QTemporaryDir folder;
};

TEST_P(ClipWriter, FramesShownCarryTheirNumbersAtTheirTimesUpright) {
    const ClipFormat& f = GetParam().format;
    const std::string path = folder.filePath(GetParam().name).toStdString();
    const QSize size = displayed_size(f);
    ASSERT_EQ(
        write_clip(path, f, [&](int k) { return numbered_frame(k, size.width(), size.height()); }),
        "");
    const ReadBack back = read_back(path);
    EXPECT_EQ(back.shown, size);
    ASSERT_EQ(back.numbers.size(), static_cast<size_t>(f.frames));
    const double tick = f.durations.empty() ? 1.0 * f.rate_den / f.rate_num : 1.0 / f.timescale;
    // From the first frame shown: a muxer may start every stream later, as WebM does for the
    // priming samples of Opus.
    const std::int64_t start = back.numbers.begin()->first;
    double expected_time = 0;
    int expected_number = 0;
    for (const auto& [pts, number] : back.numbers) {
        EXPECT_EQ(number, expected_number) << "at " << pts;
        EXPECT_NEAR((pts - start) * av_q2d(back.time_base), expected_time, 0.0011)
            << "frame " << number;
        expected_time +=
            tick * (f.durations.empty() ? 1 : f.durations[expected_number % f.durations.size()]);
        ++expected_number;
    }
}

TEST_P(ClipWriter, HeaderCarriesTheCodecSoundAndCaptureRate) {
    const ClipFormat& f = GetParam().format;
    const std::string path = folder.filePath(GetParam().name).toStdString();
    ASSERT_EQ(write_clip(path, f, [](int k) { return numbered_frame(k, 64, 48); }), "");
    AVFormatContext* raw = nullptr;
    ASSERT_GE(avformat_open_input(&raw, path.c_str(), nullptr, nullptr), 0);
    AvInputPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    const int video = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    ASSERT_GE(video, 0);
    const AVCodecParameters* par = raw->streams[video]->codecpar;
    EXPECT_EQ(par->codec_id, avcodec_find_encoder_by_name(f.encoder.c_str())->id);
    if (!f.pixel_format.empty()) {
        EXPECT_STREQ(av_get_pix_fmt_name(static_cast<AVPixelFormat>(par->format)),
                     f.pixel_format.c_str());
    }
    EXPECT_EQ(av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) >= 0,
              !f.audio_encoder.empty());
    const AVDictionaryEntry* capture =
        av_dict_get(raw->metadata, "com.android.capture.fps", nullptr, 0);
    EXPECT_EQ(capture ? std::stod(capture->value) : 0.0, f.capture_fps);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ClipWriter, ::testing::ValuesIn(clip_kinds()),
                         [](const auto& row) { return std::string(row.param.name); });

// Formats a container cannot hold are refused with a reason, not written wrongly.
TEST(ClipWriterRefusal, NamesWhatTheContainerCannotHold) {
    QTemporaryDir folder;
    ClipFormat rotated_avi;
    rotated_avi.rotation = 90;
    ClipFormat trimmed_mkv;
    trimmed_mkv.container = "mkv";
    trimmed_mkv.hidden_frames = 2;
    ClipFormat variable_avi;
    variable_avi.durations = {3000, 6000};
    for (const ClipFormat& f : {rotated_avi, trimmed_mkv, variable_avi})
        EXPECT_NE(write_clip(folder.filePath("x").toStdString(), f,
                             [](int k) { return numbered_frame(k, 64, 48); }),
                  "");
}

}  // namespace
