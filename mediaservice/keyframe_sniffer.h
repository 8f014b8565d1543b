#pragma once
#include <optional>

#include "mediaservice/ffmpeg_ptr.h"

// Whether decoding can start at this packet, read from the bitstream itself. AVI files
// without their index mark every packet as a keyframe, which for long-GOP codecs is false.
// Knows H.264 (IDR slices), HEVC (IRAP pictures) and MPEG-4 Part 2 (I-VOPs); for any other
// codec the answer is nullopt.
std::optional<bool> sniff_keyframe(AVCodecID codec, const AVPacket* packet);

// Whether the packet starts a closed group: an H.264 or HEVC IDR picture, after which every
// frame comes out in order. A recovery point (an open group's I picture) is not one.
bool is_idr_packet(AVCodecID codec, const AVPacket* packet);
