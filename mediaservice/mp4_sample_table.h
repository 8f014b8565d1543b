#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The composition offset of one sample of an MP4 or QuickTime track: how long after its decode
// time the sample is shown, in the track's time base. The demuxer's index holds only decode
// times and applies the offsets as it reads each packet; reading every packet at open would
// take seconds for a long clip, so the offsets are read from the file's sample tables here.
struct SampleOffset {
    std::int64_t pos;     // where the sample's data lies in the file: names the sample
    std::int32_t offset;  // in the track's time base
};

// The offsets of every sample of the track with this ID (the demuxer's stream id), sorted by
// position; nullopt when the file's movie header cannot be read within bounds, the track is
// not in it, or its tables do not agree. Reads only the box headers up to the movie header and
// the movie header itself (at most 256 MB).
std::optional<std::vector<SampleOffset>> read_composition_offsets(const std::string& path,
                                                                  int track_id);
