#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "mediaservice/ffmpeg_ptr.h"

// The video packets of a clip in decode order, and how they make the clip's frames. Keyframes
// are where decoding can start.
//
// Where the container gives presentation times (MP4, MOV, Matroska, WebM...), they number the
// frames: frame N is the one with the N-th smallest time among those shown (an edit list's
// hidden frames are decoded but not shown), and a decoded frame is known by its time. In AVI
// (whose H.264 carries no times), packet k is frame k in display order, and the decoder
// numbers the frames it puts out (see ClipDecoder).
struct FrameIndex {
    // Per packet: the time the demuxer seeks by to start at it (its decode time; in Matroska,
    // which stores none, its presentation time). In AVI it names the packet as it is read.
    std::vector<std::int64_t> dts;
    std::vector<int> keyframes;  // packet numbers, ascending; the first is 0 when usable
    bool cut = false;            // the file ends before the clip does

    // Numbered by presentation time only (all empty otherwise):
    std::vector<std::int64_t> pos;    // per packet: where it lies in the file, which names it
    std::vector<std::int64_t> pts;    // per packet: its presentation time, shown or not
    std::vector<std::int64_t> shown;  // per frame: its presentation time, ascending, distinct
    std::vector<int> frame_packet;    // per frame: the packet that holds it
    // (pos, packet), ascending; empty when pos itself ascends, as it nearly always does.
    std::vector<std::pair<std::int64_t, int>> packet_by_pos;

    int count() const { return static_cast<int>(dts.size()); }
    bool by_time() const { return !shown.empty(); }
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

    // The frame shown at presentation time `time`, or -1 when no frame is.
    int frame_at_time(std::int64_t time) const;
    // The packet read from `position` in the file, or -1 when none of the clip's lies there.
    int packet_at_pos(std::int64_t position) const;
    // The first frame that decoding from `keyframe` puts out whole: in AVI the keyframe's own;
    // by time, the first shown at or after the keyframe's time (frames shown before it, an
    // open group's leading frames, need the group before).
    int first_frame_from(int keyframe) const;
    // The keyframe to decode frame `frame` (a frame number) from.
    int start_for(int frame) const;

    // Makes the per-frame tables from pos and pts: `shown_packet[k]` says whether packet k's
    // frame is shown. Repeated times make one frame (the first packet's).
    void number_by_time(const std::vector<bool>& shown_packet);
};

// Reads the index from the container's own table when it has one (nothing is decoded, so
// clips of several gigabytes open at once), otherwise by reading every packet header. Packets
// that lie past the end of a truncated file are left out. Leaves the demuxer at the start.
FrameIndex build_frame_index(AVFormatContext* format, int stream, const std::string& path,
                             std::int64_t file_size);
