#include "tests/mediaservice/test_clips.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "mediaservice/ffmpeg_ptr.h"
#include "tools/frame_pattern.h"

namespace {
QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}
}  // namespace

std::string temp_path(const std::string& name) {
    return folder().filePath(QString::fromStdString(name)).toStdString();
}

std::string numbered_clip(const ClipFormat& clip_format, const std::string& name) {
    const std::string path = temp_path(name);
    if (std::filesystem::exists(path)) return path;
    const QSize shown = displayed_size(clip_format);
    const std::string error = write_clip(
        path, clip_format, [&](int k) { return numbered_frame(k, shown.width(), shown.height()); });
    EXPECT_EQ(error, "") << name;
    return path;
}

std::string small_clip(int frames, const std::string& name) {
    ClipFormat clip_format;
    clip_format.width = 160;
    clip_format.height = 120;
    clip_format.frames = frames;
    return numbered_clip(clip_format, name);
}

std::string percent_encoded(const std::string& path) {
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '.' || c == '_' || c == '~' || c == '/' || c == '-') {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string audio_only_clip(const std::string& name) {
    const std::string path = temp_path(name);
    AVFormatContext* out = nullptr;
    avformat_alloc_output_context2(&out, nullptr, "avi", path.c_str());
    AVStream* stream = avformat_new_stream(out, nullptr);
    stream->codecpar->codec_type = AVMEDIA_TYPE_AUDIO;
    stream->codecpar->codec_id = AV_CODEC_ID_PCM_S16LE;
    stream->codecpar->sample_rate = 8000;
    stream->codecpar->ch_layout = AV_CHANNEL_LAYOUT_MONO;
    stream->codecpar->block_align = 2;
    stream->codecpar->bits_per_coded_sample = 16;
    stream->time_base = AVRational{1, 8000};
    EXPECT_GE(avio_open(&out->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
    EXPECT_GE(avformat_write_header(out, nullptr), 0);
    AvPacketPtr packet(av_packet_alloc());
    for (int k = 0; k < 4; ++k) {
        av_new_packet(packet.get(), 1600);
        std::fill(packet->data, packet->data + 1600, 0);
        packet->pts = packet->dts = k * 800;
        av_interleaved_write_frame(out, packet.get());
    }
    av_write_trailer(out);
    avio_closep(&out->pb);
    avformat_free_context(out);
    return path;
}

std::string altered_copy(const std::string& source, const std::string& name,
                         const std::string& from, const std::string& to, long keep_bytes) {
    std::ifstream in(source, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t at = bytes.find(from); !from.empty() && at != std::string::npos;
         at = bytes.find(from, at + 1))
        bytes.replace(at, from.size(), to);
    if (keep_bytes >= 0 && static_cast<size_t>(keep_bytes) < bytes.size()) bytes.resize(keep_bytes);
    const std::string path = temp_path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string joined_clip(const std::string& first, const std::string& second,
                        const std::string& name) {
    const std::string path = temp_path(name);
    AVFormatContext* out = nullptr;
    avformat_alloc_output_context2(&out, nullptr, "avi", path.c_str());
    AVStream* stream = avformat_new_stream(out, nullptr);
    AvPacketPtr packet(av_packet_alloc());
    std::int64_t next_dts = 0;
    for (const std::string& part : {first, second}) {
        AVFormatContext* in = nullptr;
        EXPECT_GE(avformat_open_input(&in, part.c_str(), nullptr, nullptr), 0) << part;
        if (!in) break;
        if (part == first) {
            avcodec_parameters_copy(stream->codecpar, in->streams[0]->codecpar);
            stream->codecpar->codec_tag = 0;
            stream->time_base = in->streams[0]->time_base;
            EXPECT_GE(avio_open(&out->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
            EXPECT_GE(avformat_write_header(out, nullptr), 0);
        }
        const std::int64_t start = next_dts;
        while (av_read_frame(in, packet.get()) >= 0) {
            packet->dts += start;
            packet->pts = packet->pts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : packet->pts + start;
            next_dts = std::max(next_dts, packet->dts + 1);
            packet->stream_index = 0;
            packet->pos = -1;
            av_write_frame(out, packet.get());
            av_packet_unref(packet.get());
        }
        avformat_close_input(&in);
    }
    av_write_trailer(out);
    avio_closep(&out->pb);
    avformat_free_context(out);
    return path;
}
