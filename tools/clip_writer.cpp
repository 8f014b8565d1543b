#include "tools/clip_writer.h"

#include <vector>

#include "mediaservice/ffmpeg_ptr.h"
#include "tools/clip_container.h"
#include "tools/clip_display.h"
#include "tools/clip_encoders.h"
#include "tools/clip_sound.h"

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

// The encoder counts pictures; the file gets each frame's presentation time: shown frames from
// 0, those an edit list hides before them, and the durations of a variable frame rate.
class FrameClock {
  public:
    explicit FrameClock(const ClipFormat& f) : hidden_(f.hidden_frames), durations_(f.durations) {
        if (durations_.empty()) {
            time_base_ = AVRational{f.rate_den, f.rate_num};
            return;
        }
        time_base_ = AVRational{1, f.timescale};
        nominal_ = av_rescale(f.timescale, f.rate_den, f.rate_num);
        starts_.push_back(0);
        for (int d : durations_) starts_.push_back(starts_.back() + d);
    }
    AVRational time_base() const { return time_base_; }
    // The time of the picture the encoder numbered `index`, in time_base().
    std::int64_t at(std::int64_t index) const {
        const std::int64_t shown = index - hidden_;
        if (starts_.empty()) return shown;
        if (shown < 0) return shown * nominal_;
        const std::int64_t cycles = shown / static_cast<std::int64_t>(durations_.size());
        return cycles * starts_.back() + starts_[shown % durations_.size()];
    }
    double seconds(std::int64_t index) const { return at(index) * av_q2d(time_base_); }

  private:
    int hidden_;
    std::vector<int> durations_;
    std::vector<std::int64_t> starts_;  // of the frames of one round of durations, and its end
    std::int64_t nominal_ = 1;
    AVRational time_base_;
};

// One encoder and muxer pair, writing pictures as they come.
class Writer {
  public:
    explicit Writer(const ClipFormat& clip_format) : spec_(clip_format), clock_(clip_format) {}
    std::string open(const std::string& path);
    std::string put(const QImage& picture);
    void skip() { ++next_pts_; }
    // Writes `count` more packets: those from the last keyframe on, again and again.
    std::string repeat_last_group(int count);
    std::string finish();
    std::string close();

  private:
    std::string open_encoder(const AVCodec* codec);
    std::string drain();
    std::string write_packet(AVPacket* packet);

    ClipFormat spec_;
    FrameClock clock_;
    AvOutputPtr out_;
    AvCodecContextPtr enc_;
    AVStream* stream_ = nullptr;
    ToneTrack tone_;
    SwsPtr sws_;
    AvFramePtr frame_{av_frame_alloc()};
    AvPacketPtr packet_{av_packet_alloc()};
    std::vector<AvPacketPtr> group_;  // the packets from the last keyframe on
    std::int64_t next_pts_ = 0;
    std::int64_t last_pts_ = -1;
};

std::string Writer::open(const std::string& path) {
    std::string error = container_refusal(spec_);
    if (!error.empty()) return error;
    const AVCodec* codec = avcodec_find_encoder_by_name(spec_.encoder.c_str());
    if (!codec) return "no encoder " + spec_.encoder;
    AVFormatContext* raw_out = nullptr;
    int rc = avformat_alloc_output_context2(&raw_out, nullptr, muxer_name(spec_.container),
                                            path.c_str());
    if (rc < 0) return av_error_text(rc);
    out_.reset(raw_out);
    error = open_encoder(codec);
    if (!error.empty()) return error;
    stream_ = avformat_new_stream(out_.get(), nullptr);
    stream_->time_base = clock_.time_base();
    avcodec_parameters_from_context(stream_->codecpar, enc_.get());
    error = describe_video_stream(stream_, spec_);
    if (error.empty() && !spec_.audio_encoder.empty())
        error = tone_.add(out_.get(), spec_.audio_encoder);
    if (!error.empty()) return error;
    if (spec_.bottom_up_raw) av_opt_set_int(out_->priv_data, "flipped_raw_rgb", 1, 0);
    rc = avio_open(&out_->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) return "cannot create " + path + ": " + av_error_text(rc);
    AVDictionary* options = container_options(out_.get(), spec_);
    rc = avformat_write_header(out_.get(), &options);
    av_dict_free(&options);
    if (rc < 0) return av_error_text(rc);
    frame_->format = enc_->pix_fmt;
    frame_->width = spec_.width;
    frame_->height = spec_.height;
    rc = av_frame_get_buffer(frame_.get(), 0);
    if (rc < 0) return av_error_text(rc);
    sws_.reset(sws_getContext(spec_.width, spec_.height, AV_PIX_FMT_BGRA, spec_.width, spec_.height,
                              enc_->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr));
    return "";
}

std::string Writer::open_encoder(const AVCodec* codec) {
    enc_.reset(avcodec_alloc_context3(codec));
    const std::string error = configure_encoder(enc_.get(), codec, spec_);
    if (!error.empty()) return error;
    if (out_->oformat->flags & AVFMT_GLOBALHEADER) enc_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int rc = avcodec_open2(enc_.get(), codec, nullptr);
    return rc < 0 ? "cannot open encoder: " + av_error_text(rc) : "";
}

std::string Writer::put(const QImage& source) {
    QImage picture = stored_picture(source, spec_);
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
    std::string error = drain();
    if (error.empty() && !spec_.audio_encoder.empty())
        error = tone_.write_until(clock_.seconds(next_pts_));
    return error;
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

// `packet` carries the encoder's picture numbers; it leaves with the file's times.
std::string Writer::write_packet(AVPacket* packet) {
    if (spec_.container != "avi")
        packet->duration = clock_.at(packet->pts + 1) - clock_.at(packet->pts);
    if (packet->pts != AV_NOPTS_VALUE) packet->pts = clock_.at(packet->pts);
    if (packet->dts != AV_NOPTS_VALUE) packet->dts = clock_.at(packet->dts);
    av_packet_rescale_ts(packet, clock_.time_base(), stream_->time_base);
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
    std::string error = drain();
    if (error.empty() && !spec_.audio_encoder.empty()) {
        error = tone_.write_until(clock_.seconds(spec_.hidden_frames + spec_.frames));
        if (error.empty()) error = tone_.finish();
    }
    return error;
}

std::string Writer::close() {
    const int rc = av_write_trailer(out_.get());
    return rc < 0 ? av_error_text(rc) : "";
}

}  // namespace

std::string write_clip(const std::string& path, const ClipFormat& clip_format,
                       const PictureSource& picture) {
    Writer writer(clip_format);
    std::string error = writer.open(path);
    const int hidden = clip_format.hidden_frames;
    const int distinct =
        clip_format.distinct_frames > 0 && clip_format.distinct_frames < clip_format.frames
            ? clip_format.distinct_frames
            : clip_format.frames;
    for (int k = -hidden; error.empty() && k < distinct; ++k) {
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

std::string av1_encoder() {
    for (const char* name : {"libsvtav1", "libaom-av1"})
        if (have_encoder(name)) return name;
    return "";
}
