#include "tools/clip_sound.h"

#include <cmath>

namespace {
constexpr int kRate = 48000;
constexpr int kDefaultFrameSamples = 1024;

// The sample formats the tone is written in; every encoder wanted here takes one of them.
bool supported(AVSampleFormat format) {
    return format == AV_SAMPLE_FMT_FLTP || format == AV_SAMPLE_FMT_FLT ||
           format == AV_SAMPLE_FMT_S16 || format == AV_SAMPLE_FMT_S16P;
}
}  // namespace

std::string ToneTrack::add(AVFormatContext* out, const std::string& encoder_name) {
    out_ = out;
    const AVCodec* codec = avcodec_find_encoder_by_name(encoder_name.c_str());
    if (!codec) return "no encoder " + encoder_name;
    enc_.reset(avcodec_alloc_context3(codec));
    enc_->sample_fmt = AV_SAMPLE_FMT_NONE;
    for (const AVSampleFormat* f = codec->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f) {
        if (supported(*f)) {
            enc_->sample_fmt = *f;
            break;
        }
    }
    if (enc_->sample_fmt == AV_SAMPLE_FMT_NONE) return encoder_name + ": no usable sample format";
    enc_->sample_rate = kRate;
    enc_->ch_layout = AV_CHANNEL_LAYOUT_MONO;
    enc_->time_base = AVRational{1, kRate};
    enc_->bit_rate = 64000;
    if (out->oformat->flags & AVFMT_GLOBALHEADER) enc_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int rc = avcodec_open2(enc_.get(), codec, nullptr);
    if (rc < 0) return "cannot open " + encoder_name + ": " + av_error_text(rc);
    stream_ = avformat_new_stream(out, nullptr);
    stream_->time_base = enc_->time_base;
    avcodec_parameters_from_context(stream_->codecpar, enc_.get());
    frame_->format = enc_->sample_fmt;
    frame_->sample_rate = kRate;
    frame_->ch_layout = AV_CHANNEL_LAYOUT_MONO;
    frame_->nb_samples = enc_->frame_size > 0 ? enc_->frame_size : kDefaultFrameSamples;
    rc = av_frame_get_buffer(frame_.get(), 0);
    return rc < 0 ? av_error_text(rc) : "";
}

std::string ToneTrack::write_until(double seconds) {
    while (samples_ < seconds * kRate) {
        const int rc = av_frame_make_writable(frame_.get());
        if (rc < 0) return av_error_text(rc);
        for (int i = 0; i < frame_->nb_samples; ++i) {
            const double value = 0.1 * std::sin(2 * M_PI * 440 * (samples_ + i) / kRate);
            if (enc_->sample_fmt == AV_SAMPLE_FMT_FLT || enc_->sample_fmt == AV_SAMPLE_FMT_FLTP)
                reinterpret_cast<float*>(frame_->data[0])[i] = static_cast<float>(value);
            else
                reinterpret_cast<int16_t*>(frame_->data[0])[i] =
                    static_cast<int16_t>(value * 32767);
        }
        frame_->pts = samples_;
        samples_ += frame_->nb_samples;
        std::string error = send(frame_.get());
        if (!error.empty()) return error;
    }
    return "";
}

std::string ToneTrack::finish() { return enc_ ? send(nullptr) : ""; }

std::string ToneTrack::send(AVFrame* frame) {
    int rc = avcodec_send_frame(enc_.get(), frame);
    if (rc < 0) return av_error_text(rc);
    for (;;) {
        rc = avcodec_receive_packet(enc_.get(), packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return "";
        if (rc < 0) return av_error_text(rc);
        av_packet_rescale_ts(packet_.get(), enc_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        rc = av_interleaved_write_frame(out_, packet_.get());
        if (rc < 0) return av_error_text(rc);
    }
}
