#pragma once
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "mediaservice/ffmpeg_ptr.h"

// Decodes the packets of an intra-only clip whose decoder holds no frame back (each frame
// comes out for its own packet) on worker threads of their own, each with a decoder of its
// own, so that several frames are decoded at once while playing. Every frame of such a clip
// decodes from its own packet alone, so any worker may take any packet; codecs like MJPEG have
// neither frame nor slice threads of their own.
class AheadDecoder {
  public:
    // Null when no decoder could be opened.
    static std::unique_ptr<AheadDecoder> start(const AVCodecParameters* parameters, int workers);
    ~AheadDecoder();
    AheadDecoder(const AheadDecoder&) = delete;
    AheadDecoder& operator=(const AheadDecoder&) = delete;

    // Hands over the packet of frame `number` (the packet is left empty).
    void submit(int number, AVPacket* packet);
    // Frames submitted and not yet taken.
    int pending();
    // Frame `number`, waiting for it to be decoded; null when it was not submitted, or its
    // packet did not decode. Frames before it are given up.
    AvFramePtr take(int number);
    // Waits until every frame submitted is decoded.
    void finish();
    // Gives up every frame submitted.
    void clear();
    int workers() const { return static_cast<int>(threads_.size()); }

  private:
    struct Job {
        int number = 0;
        AvPacketPtr packet{av_packet_alloc()};
        AvFramePtr frame;  // once decoded; null when it did not decode
        bool done = false;
    };
    AheadDecoder() = default;
    void run(AVCodecContext* codec);

    std::vector<AvCodecContextPtr> codecs_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, std::shared_ptr<Job>> jobs_;  // by frame number
    std::deque<std::shared_ptr<Job>> queue_;    // not yet begun, in order
    bool stop_ = false;
    std::vector<std::thread> threads_;
};
