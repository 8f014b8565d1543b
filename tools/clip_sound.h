#pragma once
#include <cstdint>
#include <string>

#include "mediaservice/ffmpeg_ptr.h"

// A sound track beside a clip's video: a quiet 440 Hz tone, mono, encoded as it goes.
class ToneTrack {
  public:
    // Adds the stream to `out` (before its header is written).
    std::string add(AVFormatContext* out, const std::string& encoder_name);
    // Encodes and writes the tone up to `seconds` from the start.
    std::string write_until(double seconds);
    // Writes what the encoder still holds.
    std::string finish();

  private:
    std::string send(AVFrame* frame);

    AVFormatContext* out_ = nullptr;
    AVStream* stream_ = nullptr;
    AvCodecContextPtr enc_;
    AvFramePtr frame_{av_frame_alloc()};
    AvPacketPtr packet_{av_packet_alloc()};
    std::int64_t samples_ = 0;
};
