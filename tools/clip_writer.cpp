#include "tools/clip_writer.h"

#include <vector>

#include "mediaservice/ffmpeg_ptr.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace {

struct OutputCloser {
    void operator()(AVFormatContext* c) const {
        if (c->pb) avio_closep(&c->pb);
        avformat_free_context(c);
    }
};
using AvOutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

AVPixelFormat encoder_format(const AVCodec* codec, const ClipFormat& clip_format) {
    if (codec->id == AV_CODEC_ID_RAWVIDEO) return AV_PIX_FMT_BGR24;
    if (codec->pix_fmts) return codec->pix_fmts[0];
    (void)clip_format;
    return AV_PIX_FMT_YUV420P;
}

// One encoder and muxer pair, writing pictures as they come.
class Writer {
  public:
    std::string open(const std::string& path, const ClipFormat& clip_format);
    std::string put(const QImage& picture);
    void skip() { ++next_pts_; }
    // Writes `count` more packets: those from the last keyframe on, again and again.
    std::string repeat_last_group(int count);
    std::string finish();
    std::string close();

  private:
    std::string drain();
    std::string write_packet(AVPacket* packet);

    ClipFormat spec_;
    AvOutputPtr out_;
    AvCodecContextPtr enc_;
    AVStream* stream_ = nullptr;
    SwsPtr sws_;
    AvFramePtr frame_{av_frame_alloc()};
    AvPacketPtr packet_{av_packet_alloc()};
    std::vector<AvPacketPtr> group_;  // the packets from the last keyframe on
    std::int64_t next_pts_ = 0;
    std::int64_t last_pts_ = -1;
};

std::string Writer::open(const std::string& path, const ClipFormat& clip_format) {
    spec_ = clip_format;
    const AVCodec* codec = avcodec_find_encoder_by_name(clip_format.encoder.c_str());
    if (!codec) return "no encoder " + clip_format.encoder;
    AVFormatContext* raw_out = nullptr;
    int rc = avformat_alloc_output_context2(&raw_out, nullptr, "avi", path.c_str());
    if (rc < 0) return av_error_text(rc);
    out_.reset(raw_out);
    enc_.reset(avcodec_alloc_context3(codec));
    enc_->width = clip_format.width;
    enc_->height = clip_format.height;
    enc_->time_base = AVRational{clip_format.rate_den, clip_format.rate_num};
    enc_->framerate = AVRational{clip_format.rate_num, clip_format.rate_den};
    enc_->pix_fmt = encoder_format(codec, clip_format);
    enc_->gop_size = clip_format.gop;
    enc_->max_b_frames = clip_format.b_frames;
    enc_->thread_count = 1;
    if (codec->id != AV_CODEC_ID_H264) {
        enc_->flags |= AV_CODEC_FLAG_QSCALE;
        enc_->global_quality = FF_QP2LAMBDA * clip_format.quality;
    } else {
        av_opt_set(enc_->priv_data, "preset", "veryfast", 0);
        // Fixed B-frames, so that every clip really reorders.
        const std::string params = std::string(clip_format.b_frames > 0 ? "b-adapt=0:" : "") +
                                   (clip_format.open_gop ? "open-gop=1:" : "") + "scenecut=0";
        av_opt_set(enc_->priv_data, "x264-params", params.c_str(), 0);
    }
    if (codec->id == AV_CODEC_ID_MJPEG) enc_->color_range = AVCOL_RANGE_JPEG;
    rc = avcodec_open2(enc_.get(), codec, nullptr);
    if (rc < 0) return "cannot open encoder: " + av_error_text(rc);
    stream_ = avformat_new_stream(out_.get(), nullptr);
    stream_->time_base = enc_->time_base;
    avcodec_parameters_from_context(stream_->codecpar, enc_.get());
    if (clip_format.bottom_up_raw) av_opt_set_int(out_->priv_data, "flipped_raw_rgb", 1, 0);
    rc = avio_open(&out_->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) return "cannot create " + path + ": " + av_error_text(rc);
    rc = avformat_write_header(out_.get(), nullptr);
    if (rc < 0) return av_error_text(rc);
    frame_->format = enc_->pix_fmt;
    frame_->width = clip_format.width;
    frame_->height = clip_format.height;
    rc = av_frame_get_buffer(frame_.get(), 0);
    if (rc < 0) return av_error_text(rc);
    sws_.reset(sws_getContext(clip_format.width, clip_format.height, AV_PIX_FMT_BGRA,
                              clip_format.width, clip_format.height, enc_->pix_fmt, SWS_BICUBIC,
                              nullptr, nullptr, nullptr));
    return "";
}

std::string Writer::put(const QImage& source) {
    QImage picture = source.convertToFormat(QImage::Format_RGB32);
    if (picture.size() != QSize(spec_.width, spec_.height))
        picture = picture.scaled(spec_.width, spec_.height);
    // Bottom-up raw frames are stored last row first; the muxer leaves that to us.
    if (spec_.bottom_up_raw) picture = picture.mirrored(false, true);
    int rc = av_frame_make_writable(frame_.get());
    if (rc < 0) return av_error_text(rc);
    const uint8_t* src[] = {picture.constBits()};
    const int stride[] = {static_cast<int>(picture.bytesPerLine())};
    sws_scale(sws_.get(), src, stride, 0, spec_.height, frame_->data, frame_->linesize);
    frame_->pts = next_pts_++;
    rc = avcodec_send_frame(enc_.get(), frame_.get());
    if (rc < 0) return av_error_text(rc);
    return drain();
}

std::string Writer::drain() {
    for (;;) {
        const int rc = avcodec_receive_packet(enc_.get(), packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return "";
        if (rc < 0) return av_error_text(rc);
        if (packet_->flags & AV_PKT_FLAG_KEY) group_.clear();
        group_.emplace_back(av_packet_clone(packet_.get()));
        last_pts_ = packet_->pts;
        std::string error = write_packet(packet_.get());
        if (!error.empty()) return error;
    }
}

std::string Writer::write_packet(AVPacket* packet) {
    av_packet_rescale_ts(packet, enc_->time_base, stream_->time_base);
    packet->stream_index = stream_->index;
    const int rc = av_interleaved_write_frame(out_.get(), packet);
    return rc < 0 ? av_error_text(rc) : "";
}

std::string Writer::repeat_last_group(int count) {
    for (int i = 0; i < count && !group_.empty(); ++i) {
        av_packet_ref(packet_.get(), group_[i % group_.size()].get());
        packet_->pts = packet_->dts = last_pts_ + 1 + i;
        std::string error = write_packet(packet_.get());
        if (!error.empty()) return error;
    }
    return "";
}

std::string Writer::finish() {
    const int rc = avcodec_send_frame(enc_.get(), nullptr);
    if (rc < 0) return av_error_text(rc);
    return drain();
}

std::string Writer::close() {
    const int rc = av_write_trailer(out_.get());
    return rc < 0 ? av_error_text(rc) : "";
}

}  // namespace

std::string write_clip(const std::string& path, const ClipFormat& clip_format,
                       const PictureSource& picture) {
    Writer writer;
    std::string error = writer.open(path, clip_format);
    const int distinct =
        clip_format.distinct_frames > 0 && clip_format.distinct_frames < clip_format.frames
            ? clip_format.distinct_frames
            : clip_format.frames;
    for (int k = 0; error.empty() && k < distinct; ++k) {
        if (clip_format.dropped.count(k))
            writer.skip();
        else
            error = writer.put(picture(k));
    }
    if (error.empty()) error = writer.finish();
    if (error.empty()) error = writer.repeat_last_group(clip_format.frames - distinct);
    if (error.empty()) error = writer.close();
    return error;
}

bool have_encoder(const std::string& name) {
    return avcodec_find_encoder_by_name(name.c_str()) != nullptr;
}
