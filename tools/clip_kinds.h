#pragma once
#include <ostream>
#include <vector>

#include "tools/clip_writer.h"

// One clip of each kind that phones and cameras write, small (192 x 108 shown, 40 frames), for
// a table of kinds: containers, codecs (those this FFmpeg can encode), B-frames and open GOPs,
// rotations, edit lists, variable frame rates, a capture rate tag, sound, non-square pixels.
struct ClipKind {
    const char* name;
    ClipFormat format;
};
std::vector<ClipKind> clip_kinds();

// The kind's name, for test output.
inline void PrintTo(const ClipKind& kind, std::ostream* out) { *out << kind.name; }
