#pragma once
#include <cstdint>
#include <vector>

#include "mediaservice/ffmpeg_ptr.h"

// The video packets of a clip in decode order; packet k is frame k. Keyframes are where
// decoding can start.
struct FrameIndex {
    std::vector<std::int64_t> dts;  // in the stream's time base
    std::vector<int> keyframes;     // packet numbers, ascending; the first is 0 when usable
    bool cut = false;               // the file ends before the clip does

    int count() const { return static_cast<int>(dts.size()); }
    // The last keyframe at or before packet `frame` (or the first keyframe).
    int keyframe_before(int frame) const;
    // The keyframe before `keyframe` in the list, or -1.
    int previous_keyframe(int keyframe) const;

    // Frames on the clip's timeline, from the first packet's dts to the last one's. An AVI
    // keeps an empty chunk where a capture dropped a frame; the timeline counts it, and it
    // shows the frame before, so that frame numbers stay true to time.
    int timeline_length() const;
    // The packet on show at a frame of the timeline.
    int packet_at(int frame) const;
};

// Reads the index from the container's own table when it has one (nothing is decoded, so
// clips of several gigabytes open at once), otherwise by reading every packet header. Packets
// that lie past the end of a truncated file are left out. Leaves the demuxer at the start.
FrameIndex build_frame_index(AVFormatContext* format, int stream, std::int64_t file_size);
