#pragma once
#include <string>

#include "tools/clip_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

// Sets up the encoder for the clip before it is opened: size, rate, pixel format, keyframe
// interval, B-frames and each encoder's own options for a small, quick, fixed-structure encode.
// Returns an empty text, or what the format asks that the encoder cannot do.
std::string configure_encoder(AVCodecContext* encoder, const AVCodec* codec,
                              const ClipFormat& clip_format);
