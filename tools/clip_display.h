#pragma once
#include <QImage>

#include "tools/clip_writer.h"

extern "C" {
#include <libavformat/avformat.h>
}

// The stored picture of a frame that a player shows as `shown`: flipped back, turned the other
// way and squeezed by the sample aspect ratio into the clip's stored size.
QImage stored_picture(const QImage& shown, const ClipFormat& clip_format);

// Puts the clip's rotation into the stream's header as a display matrix, as phones write it.
// Returns an empty text or what went wrong.
std::string add_display_matrix(AVStream* stream, const ClipFormat& clip_format);
