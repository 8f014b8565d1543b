#include "mediaservice/clip_decoder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <system_error>

#include "mediaservice/decoder_setup.h"
#include "mediaservice/keyframe_sniffer.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

int first_video_stream(const AVFormatContext* format) {
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* s = format->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(s->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
    }
    return -1;
}

AVRational stream_rate(const AVStream* stream) {
    // In AVI every video chunk is one frame of the stream's time base.
    const AVRational tick = av_inv_q(stream->time_base);
    if (tick.num > 0 && tick.den > 0 && av_q2d(tick) <= 1000) return tick;
    if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0)
        return stream->avg_frame_rate;
    return AVRational{30, 1};
}

// The library's own words, in English, go to standard error; the user's message is ours.
void report_library_error(const std::string& path, int code) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), av_error_text(code).c_str());
}

// The codec's short name and the clip's four-character code; a code that names no codec
// known here is shown alone.
std::string codec_name(const AVCodecParameters* par) {
    const std::string name =
        par->codec_id == AV_CODEC_ID_NONE ? "" : avcodec_get_name(par->codec_id);
    if (par->codec_tag == 0) return name;
    char tag[AV_FOURCC_MAX_STRING_SIZE] = {};
    av_fourcc_make_string(tag, par->codec_tag);
    return name.empty() ? tag : name + " (" + tag + ")";
}

// The frame cache's budget: 256 MB up to 1920 x 1080, twice that for larger pictures.
// Frames of more than 8 bits a sample (10-bit HEVC from phones) take twice the memory: the
// budget doubles with them, so that it holds as many frames: at 3840 x 2160, more than a
// keyframe interval of a second at 30 frames a second.
std::size_t cache_bytes(QSize size, AVPixelFormat format) {
    constexpr std::size_t kMegabyte = 1u << 20;
    const AVPixFmtDescriptor* pixels = av_pix_fmt_desc_get(format);
    const std::size_t deep = pixels && pixels->comp[0].depth > 8 ? 2 : 1;
    return deep * (size.width() * size.height() <= 1920 * 1080 ? 256 * kMegabyte : 512 * kMegabyte);
}

// Frames from one keyframe to the next, at the most; 0 for intra-only clips.
int longest_interval(const FrameIndex& index) {
    int longest = 0;
    for (size_t k = 0; k < index.keyframes.size(); ++k) {
        const int next = k + 1 < index.keyframes.size() ? index.keyframes[k + 1] : index.count();
        longest = std::max(longest, next - index.keyframes[k]);
    }
    return longest <= 1 ? 0 : longest;
}

}  // namespace

ClipDecoder::~ClipDecoder() {
    // The decoder's frames lie in the cache's memory: it goes first.
    ahead_.reset();
    codec_.reset();
}

ClipDecoder::OpenResult ClipDecoder::open(const std::string& path) {
    OpenResult result;
    std::unique_ptr<ClipDecoder> decoder(new ClipDecoder);
    result.error = decoder->start(path, result.detail);
    if (result.error == kMediaOk) result.decoder = std::move(decoder);
    return result;
}

MediaError ClipDecoder::start(const std::string& path, std::string& detail) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(path), ec);
    detail = path;
    if (ec == std::errc::filename_too_long) return kPathTooLong;
    if (path.empty() || !fs::exists(status)) return kFileNotFound;
    // A folder, a pipe or a device never gives a clip, and a pipe or a device may never end.
    if (!fs::is_regular_file(status)) return kNotRegularFile;
    const auto file_size = static_cast<std::int64_t>(fs::file_size(fs::path(path), ec));
    if (file_size == 0) return kEmptyFile;
    AVFormatContext* raw = nullptr;
    int rc = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
    if (rc < 0) {
        report_library_error(path, rc);
        return rc == AVERROR(EACCES) || rc == AVERROR(EIO) ? kCannotRead : kNotVideoFile;
    }
    format_.reset(raw);
    rc = avformat_find_stream_info(format_.get(), nullptr);
    if (rc < 0) {
        report_library_error(path, rc);
        return kNotVideoFile;
    }
    detail.clear();
    stream_ = first_video_stream(format_.get());
    if (stream_ < 0) return kNoVideoStream;
    for (unsigned i = 0; i < format_->nb_streams; ++i)
        if (static_cast<int>(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
    AVStream* stream = format_->streams[stream_];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    detail = codec_name(stream->codecpar);
    if (!codec) return kUnsupportedCodec;
    // One thread: frame threads delay every single step by a frame per thread.
    codec_ = open_codec(1);
    if (!codec_ || codec_->width <= 0 || codec_->height <= 0) return kUnsupportedCodec;
    detail.clear();
    size_ = QSize(codec_->width, codec_->height);
    header_ = ClipHeader::read(format_.get(), stream_, size_);
    closed_groups_ = stream->codecpar->codec_id == AV_CODEC_ID_H264 ||
                     stream->codecpar->codec_id == AV_CODEC_ID_HEVC;
    index_ = build_frame_index(format_.get(), stream_, path, file_size);
    if (index_.count() == 0) return kNoFrames;
    offered_ = index_.by_time() ? static_cast<int>(index_.shown.size()) : index_.count();
    // Two keyframe intervals, so that the frames of the interval just left are still at hand
    // when a step back crosses into the one before it (an open group's frames before its
    // keyframe, which need the interval before, come along: a crossing decodes its interval
    // once). On the way forward no more than 40 of them (half a gigabyte at 3840 x 2160); a
    // long group's frames decoded again for a step back, as many as the budget holds.
    // Intra-only clips decode any frame at once and keep none.
    const int interval = longest_interval(index_);
    constexpr int kMostFramesForward = 40;
    const int keep = interval > 0 ? 2 * interval + 4 : 0;
    cache_.set_limits(cache_bytes(size(), codec_->pix_fmt), keep,
                      std::min(keep, kMostFramesForward));
    if (!seek_to_keyframe(0) || !next_output()) return kNoFrames;
    // Only a decoder that puts out each frame for its own packet, with nothing held back, may
    // share the packets out among workers: an all-keyframe clip may still have been written
    // with B-frames allowed, and its decoder then puts out each frame one packet late.
    const int own_packet = index_.by_time() ? index_.frame_packet[held_number_] : held_number_;
    intra_only_ = interval == 0 && fed_packet_ == own_packet && codec_->has_b_frames == 0;
    if (index_.by_time()) {
        timing_ = ClipTiming::from_times(index_.shown, stream->time_base, header_.nominal_rate);
        return kMediaOk;
    }
    const bool reorders = output_delay_ > 0 || codec_->has_b_frames > 0;
    if (index_.cut && reorders) drop_unfinished_tail();
    // Without reordering, packet order is display order and a gap in the dts is a dropped frame.
    timeline_ = !reorders && index_.timeline_length() != index_.count();
    timing_ = ClipTiming::uniform(frame_count(), av_inv_q(stream_rate(stream)));
    return kMediaOk;
}

void ClipDecoder::drop_unfinished_tail() {
    // With reordering, the packets that made it before the cut hold frames with gaps between
    // them. The frames that come out while packets are still going in are whole and in order;
    // those pushed out at the end are not to be trusted.
    for (int keyframe = index_.keyframes.back(); keyframe >= 0;
         keyframe = index_.previous_keyframe(keyframe)) {
        if (!seek_to_keyframe(keyframe)) break;
        int last_whole = -1;
        while (next_output() && !input_done_) last_whole = held_number_;
        if (last_whole >= 0) {
            offered_ = last_whole + 1;
            return;
        }
    }
    offered_ = 1;
}

AvCodecContextPtr ClipDecoder::open_codec(int threads) {
    ++decoder_opens_;
    AvCodecContextPtr context = new_decoder(format_->streams[stream_]->codecpar, threads);
    if (!context) return nullptr;
    cache_.decode_into(context.get());
    if (avcodec_open2(context.get(), nullptr, nullptr) < 0) return nullptr;
    return context;
}

int ClipDecoder::threads() const { return ahead_ ? ahead_->workers() : codec_->thread_count; }

void ClipDecoder::set_threads(int count) {
    if (intra_only_) {
        decode_ahead(count);
        return;
    }
    wanted_threads_ = std::max(1, count);
    // Starting over from the keyframe costs little this close to it.
    constexpr int kCloseToKeyframe = 8;
    const int next = next_number_ >= 0 && !input_done_ ? next_number_ : -1;
    if (next < 0 || next >= offered_ ||
        next - first_from(index_.start_for(next)) <= kCloseToKeyframe)
        change_threads();
}

bool ClipDecoder::change_threads() {
    // Compared with the count asked for: a codec without threads opens with one whatever it
    // is asked, and would otherwise be opened anew at every keyframe.
    if (wanted_threads_ == asked_threads_) return false;
    AvCodecContextPtr changed = open_codec(wanted_threads_);
    if (!changed) {
        wanted_threads_ = asked_threads_;
        return false;
    }
    asked_threads_ = wanted_threads_;
    // The frame held stays valid: it holds a reference to its buffer.
    codec_ = std::move(changed);
    next_number_ = -1;
    input_done_ = true;
    return true;
}

bool ClipDecoder::seek_to_keyframe(int keyframe) {
    change_threads();
    avcodec_flush_buffers(codec_.get());
    const int rc =
        av_seek_frame(format_.get(), stream_, index_.dts[keyframe], AVSEEK_FLAG_BACKWARD);
    seek_keyframe_ = keyframe;
    packets_fed_ = 0;
    fed_packet_ = keyframe - 1;
    input_done_ = false;
    restarted_ = false;
    trusted_from_ = first_from(keyframe);
    next_number_ = index_.by_time() ? trusted_from_ : -1;
    return rc >= 0;
}

bool ClipDecoder::read_from_start() {
    restarted_ = true;
    return av_seek_frame(format_.get(), stream_, index_.dts.front(), AVSEEK_FLAG_BACKWARD) >= 0;
}

bool ClipDecoder::read_packet() {
    for (;;) {
        if (av_read_frame(format_.get(), packet_.get()) < 0) return false;
        const bool ours = packet_->stream_index == stream_;
        if (ours && index_.by_time()) {
            // Known by its place in the file: packets before the keyframe (the demuxer may land
            // at the start of a cluster) or none of the clip's (damaged, or cut off) are skipped.
            const int k = index_.packet_at_pos(packet_->pos);
            const bool past = fed_packet_ < seek_keyframe_ && k > seek_keyframe_;
            if (k >= seek_keyframe_ && !past) {
                fed_packet_ = k;
                return true;
            }
            av_packet_unref(packet_.get());
            // Landed past the keyframe: read from the start up to it.
            if (past && (restarted_ || !read_from_start())) return false;
            continue;
        }
        const std::int64_t dts = packet_->dts;
        if (ours && dts != AV_NOPTS_VALUE && dts > index_.dts.back()) {
            av_packet_unref(packet_.get());
            return false;  // past the last whole packet of a cut file
        }
        // The demuxer may land before the keyframe asked for; those packets are not ours.
        if (ours && (dts == AV_NOPTS_VALUE || dts >= index_.dts[seek_keyframe_])) {
            fed_packet_ = seek_keyframe_ + packets_fed_;
            return true;
        }
        av_packet_unref(packet_.get());
    }
}

bool ClipDecoder::feed_packet() {
    if (!read_packet()) {
        avcodec_send_packet(codec_.get(), nullptr);
        input_done_ = true;
        return false;
    }
    if (packets_fed_ == 0 && !index_.by_time())
        count_from_keyframe_ =
            closed_groups_ &&
            is_idr_packet(format_->streams[stream_]->codecpar->codec_id, packet_.get());
    avcodec_send_packet(codec_.get(), packet_.get());  // a damaged packet only loses its frame
    av_packet_unref(packet_.get());
    ++packets_fed_;
    return true;
}

int ClipDecoder::number_of_output(int keyframe) const {
    // Without reordering the keyframe comes out first.
    if (count_from_keyframe_ || output_delay_ == 0) return keyframe;
    // A frame that only came out when the input ended carries no dts to tell which it is.
    if (output_->pkt_dts == AV_NOPTS_VALUE) return -1;
    const std::int64_t dts = output_->pkt_dts - output_delay_;
    auto it = std::lower_bound(index_.dts.begin(), index_.dts.end(), dts);
    if (it == index_.dts.end() || *it != dts) return -1;
    return static_cast<int>(it - index_.dts.begin());
}

bool ClipDecoder::receive_frame() {
    for (;;) {
        const int rc = avcodec_receive_frame(codec_.get(), output_.get());
        if (rc == 0) {
            ++frames_decoded_;
            return true;
        }
        // Any failure but the end concerns one frame only; the next packet may decode. Each
        // turn feeds a packet or ends the input, so this ends.
        if (rc == AVERROR_EOF || input_done_) return false;
        feed_packet();
    }
}

int ClipDecoder::number_by_time() {
    const std::int64_t time =
        output_->pts != AV_NOPTS_VALUE ? output_->pts : output_->best_effort_timestamp;
    const int number = index_.frame_at_time(time);
    // A frame shown before the keyframe decoding started at may lack what it refers to, and
    // one no later than a frame put out already repeats a time in a damaged file.
    if (number < trusted_from_ || number < next_number_) return -1;
    if (next_number_ == trusted_from_) first_output_[seek_keyframe_] = number;
    next_number_ = number + 1;
    return number;
}

int ClipDecoder::number_by_count() {
    if (next_number_ < 0 && seek_keyframe_ == 0) {
        // Decoding from the start, the first frame out is frame 0: that measures the delay.
        if (output_->pkt_dts != AV_NOPTS_VALUE)
            output_delay_ = output_->pkt_dts - index_.dts.front();
        next_number_ = 0;
        first_output_[0] = 0;
    } else if (next_number_ < 0) {
        next_number_ = number_of_output(seek_keyframe_);
        if (next_number_ < 0) {
            // Unusable as a starting point: the keyframe before it is used instead.
            first_output_[seek_keyframe_] = std::numeric_limits<int>::max();
            input_done_ = true;
            return kGiveUp;
        }
        first_output_[seek_keyframe_] = next_number_;
    } else if (!count_from_keyframe_ && output_delay_ > 0) {
        // A frame the decoder let go (at a change of frame size in a joined clip, or lost to
        // damage) must not shift the numbers of the frames after it: the dts says which it is.
        next_number_ = std::max(next_number_, number_of_output(seek_keyframe_));
    }
    return next_number_++;
}

bool ClipDecoder::next_output() {
    held_number_ = -1;
    int number = -1;
    while (number < 0) {
        if (!receive_frame()) return false;
        number = index_.by_time() ? number_by_time() : number_by_count();
        if (number == kGiveUp) return false;
    }
    if (number >= (index_.by_time() ? offered_ : index_.count())) return false;
    output_->pts = number;
    held_number_ = number;
    cache_.put(number, output_.get(), std::max(number, target_), use_);
    return true;
}

bool ClipDecoder::decode_until(int number) {
    target_ = number;
    while (next_output()) {
        const int got = static_cast<int>(output_->pts);
        if (got == number) return true;
        if (got > number) return false;
    }
    return false;
}

const AVFrame* ClipDecoder::just_decoded() {
    // The cached copy, when it is made already, so that holding on to the frame does not hold
    // one of the decoder's own buffers.
    const AVFrame* copy = cache_.find_ready(held_number_);
    return copy ? copy : output_.get();
}

const AVFrame* ClipDecoder::frame(int number) {
    if (number < 0 || number >= frame_count()) return nullptr;
    const int decoded = decoded_frame(number);
    use_ = wanted_threads_ > 1          ? FrameCache::Use::playing
           : decoded == last_asked_ - 1 ? FrameCache::Use::stepping_back
                                        : FrameCache::Use::forward;
    last_asked_ = decoded;
    return decode_frame(decoded);
}

QImage ClipDecoder::picture(int number, QSize size) {
    if (number < 0 || number >= frame_count()) return QImage();
    return cache_.picture(decoded_frame(number), size);
}

void ClipDecoder::keep_picture(int number, const QImage& picture) {
    if (number >= 0 && number < frame_count()) cache_.keep_picture(decoded_frame(number), picture);
}

void ClipDecoder::decode_ahead(int workers) {
    if (workers > 1 && !ahead_) {
        ahead_ = AheadDecoder::start(format_->streams[stream_]->codecpar, workers);
        ahead_next_ = -1;
        if (ahead_) ++decoder_opens_;
    } else if (workers <= 1 && ahead_) {
        ahead_.reset();
    }
}

int ClipDecoder::frame_of_packet_read() const {
    if (index_.by_time()) return index_.frame_at_time(packet_->pts);
    const auto at = std::lower_bound(index_.dts.begin(), index_.dts.end(), packet_->dts);
    return at != index_.dts.end() && *at == packet_->dts ? static_cast<int>(at - index_.dts.begin())
                                                         : -1;
}

const AVFrame* ClipDecoder::frame_from_ahead(int number) {
    // A frame a worker on its way beyond the one asked for: every frame in flight holds a
    // picture's memory.
    const int depth = ahead_->workers();
    const bool starting = ahead_next_ < 0;
    if (starting || number < ahead_next_ - depth || number > ahead_next_ + depth) {
        ahead_->clear();
        if (!seek_to_keyframe(index_.start_for(number))) return nullptr;
        ahead_next_ = number;
    }
    // The main decoder no longer follows the demuxer: it starts anew when it is next needed.
    next_number_ = -1;
    input_done_ = true;
    // Packets that name no frame (hidden, or damaged) are read past, a few at the most.
    for (int reads = 0; ahead_next_ <= number + depth && reads <= 4 * (depth + 1) && read_packet();
         ++reads) {
        const int read = frame_of_packet_read();
        // Frames the clock has passed by are not decoded at all.
        if (read >= number) ahead_->submit(read, packet_.get());
        av_packet_unref(packet_.get());
        if (read >= 0) ahead_next_ = read + 1;
    }
    // At the start every worker decodes its first frames before play's clock starts: a
    // decoder's first pictures are in memory the system has yet to hand out, which costs
    // several frames' time.
    if (starting) ahead_->finish();
    AvFramePtr decoded = ahead_->take(number);
    if (!decoded) return nullptr;
    av_frame_unref(output_.get());
    av_frame_move_ref(output_.get(), decoded.get());
    output_->pts = number;
    held_number_ = number;
    return output_.get();
}

const AVFrame* ClipDecoder::decode_frame(int number) {
    if (number < 0 || number >= offered_) return nullptr;
    // The frame just decoded is at hand without waiting for its copy to be made.
    if (number == held_number_) return just_decoded();
    if (ahead_) {
        if (const AVFrame* decoded = frame_from_ahead(number)) return decoded;
        ahead_next_ = -1;  // a packet that did not decode there is tried here
    }
    if (const AVFrame* cached = cache_.find(number)) return cached;
    int keyframe = index_.start_for(number);
    // Carry on from where the decoder is when that is no longer than starting at the keyframe,
    // unless the thread count is to change and the decoder has come to a keyframe: starting
    // there with the new count costs nothing.
    if (next_number_ >= 0 && next_number_ <= number && next_number_ >= first_from(keyframe) &&
        !input_done_ &&
        !(next_number_ == first_from(index_.start_for(next_number_)) && change_threads())) {
        if (decode_until(number)) return just_decoded();
    }
    for (; keyframe >= 0; keyframe = index_.previous_keyframe(keyframe)) {
        auto known = first_output_.find(keyframe);
        if (known != first_output_.end() && known->second > number) continue;
        if (!seek_to_keyframe(keyframe)) return nullptr;
        if (decode_until(number)) return just_decoded();
        if (first_output_[keyframe] > number) continue;  // a matter of the start
        // Decoding from a keyframe before it passed the frame by: the decoder let it go. Like a
        // frame a capture dropped, it shows the frame before (found in the cache, as it was
        // just decoded).
        return held_number_ > number && number > first_from(keyframe) ? decode_frame(number - 1)
                                                                      : nullptr;
    }
    return nullptr;
}
