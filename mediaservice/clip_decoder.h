#pragma once
#include <QSize>
#include <map>
#include <memory>
#include <string>

#include "mediaservice/ahead_decoder.h"
#include "mediaservice/clip_header.h"
#include "mediaservice/clip_timing.h"
#include "mediaservice/ffmpeg_ptr.h"
#include "mediaservice/frame_cache.h"
#include "mediaservice/frame_index.h"
#include "mediaservice/media_errors.h"

// Exact frames of the first video stream of a clip, by number (0 = the first a player shows).
//
// Where the container gives presentation times, a decoded frame is known by its time (see
// FrameIndex); after a seek to a keyframe, the frames shown before the keyframe (an open
// group's leading frames) are not trusted, and come from the keyframe before instead.
//
// In AVI, frame numbers do not rely on per-frame timestamps (H.264 in AVI carries none). After
// a seek to a keyframe packet, the first frame out is numbered by the keyframe's packet number
// when the keyframe starts a closed group (an H.264 or HEVC IDR picture, whose decoders may
// change their output delay on the way), and otherwise by the decoder's packet dts less the
// output delay measured on frame 0; the frames after it count on from there. When a seek
// lands past the wanted frame (an open group drops its leading B-frames), the keyframe before
// is used.
class ClipDecoder {
  public:
    struct OpenResult {
        std::unique_ptr<ClipDecoder> decoder;
        MediaError error = kMediaOk;
        std::string detail;  // particulars for the error text
    };
    static OpenResult open(const std::string& path);

    ~ClipDecoder();

    int frame_count() const { return timeline_ ? index_.timeline_length() : offered_; }
    // The clip's frame size as stored, as known at open. A joined or damaged clip may decode
    // some frames at another size; they are shown converted to this one.
    QSize size() const { return size_; }
    // How the frames are shown: turned, at their pixel shape; the capture rate.
    const ClipHeader& header() const { return header_; }
    // When each frame is shown.
    const ClipTiming& timing() const { return timing_; }

    // Frame `number`, or nullptr when it cannot be decoded. Valid until the next call.
    const AVFrame* frame(int number);
    // Pictures for the screen of frames decoded on the way to another are made in the
    // background at this size, for the steps that come to them; an empty size makes none.
    void set_picture_size(QSize size) { cache_.set_picture_size(size); }
    // Frame `number`'s picture of `size`, made in the background or kept, or a null picture.
    QImage picture(int number, QSize size);
    // Keeps the picture made when frame `number` was shown, for the steps that come back to it.
    void keep_picture(int number, const QImage& picture);
    // Decoding threads from here on: more while playing, one while stepping (threads delay the
    // first frame after every start from a keyframe). The decoder changes over where it starts
    // from a keyframe anyway, or at once when it is close enough to its keyframe; frame numbers
    // are the same either way.
    // Intra-only clips whose decoder holds no frame back decode on worker threads of their
    // own instead, several frames at once.
    void set_threads(int count);
    int threads() const;
    // How often a decoder was opened for the clip (each change of threads opens one).
    int decoder_opens() const { return decoder_opens_; }
    // Frames the decoder has put out since the clip was opened (a measure of wasted work).
    long frames_decoded() const { return frames_decoded_; }
    // Whether frames are counted on the clip's timeline, dropped frames included.
    bool counts_dropped_frames() const { return timeline_; }

    const FrameCache& cache() const { return cache_; }

  private:
    ClipDecoder() = default;
    MediaError start(const std::string& path, std::string& detail);
    void drop_unfinished_tail();
    bool seek_to_keyframe(int keyframe);
    // A decoder for the clip's stream with `threads` threads, or null.
    AvCodecContextPtr open_codec(int threads);
    // Changes to the wanted thread count if that is due; true when it did (and so starts anew).
    bool change_threads();
    bool decode_until(int number);
    // Frame `number` in display order (after the timeline of dropped frames).
    const AVFrame* decode_frame(int number);
    // The first frame decoding from `keyframe` puts out whole.
    int first_from(int keyframe) const { return index_.first_frame_from(keyframe); }
    const AVFrame* just_decoded();
    // One decoded frame of the clip, numbered; false at the end of the stream or on a failure.
    bool next_output();
    // One frame from the decoder; false at the end of the stream.
    bool receive_frame();
    bool feed_packet();
    // The next packet of the clip's stream from the keyframe sought on, into packet_; false at
    // the end.
    bool read_packet();
    // The frame decoded to show frame `number`: in an AVI with dropped frames, the last one
    // written before it.
    int decoded_frame(int number) const { return timeline_ ? index_.packet_at(number) : number; }
    // The number of the frame just put out, or -1 when it is none to show (kGiveUp: the start
    // is unusable).
    int number_by_time();
    int number_by_count();
    // The first frame out after a seek is no frame to start from: the keyframe before is used.
    static constexpr int kGiveUp = -2;
    // Where the demuxer was sent to start at a keyframe but landed past it: from the start.
    bool read_from_start();
    void decode_ahead(int workers);
    // Frame `number` from the workers, or nullptr when it did not decode there.
    const AVFrame* frame_from_ahead(int number);
    // The number of the first frame out after a seek to `keyframe`, or -1 when unknown.
    int number_of_output(int keyframe) const;

    AvInputPtr format_;
    AvCodecContextPtr codec_;
    int stream_ = -1;
    QSize size_;
    ClipHeader header_;
    ClipTiming timing_;
    FrameIndex index_;
    int offered_ = 0;  // frames offered: of a cut clip, only the whole ones
    // A step back within the keyframe interval, or into the ones before it, finds its frame
    // here (within a budget by frame size). Intra-only clips decode any frame at once.
    FrameCache cache_{0, 0, 0};
    FrameCache::Use use_ = FrameCache::Use::forward;  // why the frames now decoded are
    int last_asked_ = -1;                             // the packet last asked for
    int target_ = 0;                                  // the frame being decoded towards
    int held_number_ = -1;                            // the frame in output_, or -1
    AvPacketPtr packet_{av_packet_alloc()};
    AvFramePtr output_{av_frame_alloc()};
    bool closed_groups_ = false;        // the codec marks closed groups (H.264, HEVC)
    bool count_from_keyframe_ = false;  // this seek started at a closed group
    bool timeline_ = false;             // packets are placed on the timeline by their dts
    std::int64_t output_delay_ = 0;     // pkt_dts of frame 0 less the dts of packet 0
    int seek_keyframe_ = -1;            // packet the decoder last started at
    int next_number_ = -1;              // number of the next frame out (by time: the least)
    int packets_fed_ = 0;               // packets read since the seek
    int fed_packet_ = -1;               // by time: the packet last fed
    int trusted_from_ = 0;              // by time: the first frame this start puts out whole
    bool restarted_ = false;            // by time: this start reads from the file's start
    bool input_done_ = false;
    int wanted_threads_ = 1;
    int asked_threads_ = 1;  // the thread count the decoder was opened with
    int decoder_opens_ = 0;
    bool intra_only_ = false;  // every packet a keyframe, each frame out for its own packet
    std::unique_ptr<AheadDecoder> ahead_;  // while playing an intra-only clip
    int ahead_next_ = -1;                  // the next packet to hand to it; -1: to seek first
    long frames_decoded_ = 0;
    std::map<int, int> first_output_;  // keyframe packet -> number of the first frame out
};
