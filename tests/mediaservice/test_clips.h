#pragma once
#include <string>

#include "tools/clip_kinds.h"
#include "tools/clip_writer.h"

// Clips made once per test run in a temporary folder, frame k carrying the number k in its
// picture as shown (upright, at its display aspect ratio; see ClipFormat). Frames an edit list
// hides carry -1, -2... (65535, 65534... as read), so a frame read as its own number was shown.
// Returns the path; fails the calling test when the clip cannot be written.
std::string numbered_clip(const ClipFormat& clip_format, const std::string& name);

// A small MJPEG clip (160 x 120, 30 fps) of that many numbered frames.
std::string small_clip(int frames, const std::string& name);

// A file in the run's temporary folder (not created).
std::string temp_path(const std::string& name);

// The path as the program hands it over: every byte outside A-Z a-z 0-9 . _ ~ / - as %XX.
std::string percent_encoded(const std::string& path);

// An AVI holding only a short silent audio stream.
std::string audio_only_clip(const std::string& name);

// A copy of `source` named `name`, with every occurrence of `from` replaced by `to` (same
// length) and cut after `keep_bytes` bytes when that is not negative.
std::string altered_copy(const std::string& source, const std::string& name,
                         const std::string& from, const std::string& to, long keep_bytes = -1);

// The packets of `second` appended to those of `first` without decoding, as a join of two
// encodes does: the frame size may change part-way. Keyframe marks and the codec header are
// those of the packets and of `first`.
std::string joined_clip(const std::string& first, const std::string& second,
                        const std::string& name);
