#pragma once
#include <string>

#include "tools/clip_writer.h"

extern "C" {
#include <libavformat/avformat.h>
}

// The FFmpeg muxer of a container name (avi, mp4, mov, m4v, mkv, webm), or nullptr.
const char* muxer_name(const std::string& container);

// What the format asks that its container cannot hold, or an empty text.
std::string container_refusal(const ClipFormat& clip_format);

// The header of the video stream as phones write it: display matrix, sample aspect ratio, and
// HEVC tagged hvc1 in MP4 and MOV.
std::string describe_video_stream(AVStream* stream, const ClipFormat& clip_format);

// Metadata and muxer options of the file: the capture rate tag. The caller frees the options.
AVDictionary* container_options(AVFormatContext* out, const ClipFormat& clip_format);
