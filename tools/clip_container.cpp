#include "tools/clip_container.h"

#include <cstdio>
#include <cstring>

#include "tools/clip_display.h"

namespace {

bool is_movie(const std::string& container) {
    return container == "mp4" || container == "mov" || container == "m4v";
}

}  // namespace

const char* muxer_name(const std::string& container) {
    if (container == "avi" || container == "mp4" || container == "mov" || container == "webm")
        return container.c_str();
    if (container == "m4v") return "ipod";
    if (container == "mkv") return "matroska";
    return nullptr;
}

std::string container_refusal(const ClipFormat& f) {
    if (!muxer_name(f.container)) return "no container " + f.container;
    if (is_movie(f.container)) return "";
    if (f.rotation % 360 != 0 || f.mirrored) return "a rotation needs mp4, mov or m4v";
    if (f.hidden_frames > 0) return "an edit list needs mp4, mov or m4v";
    if (f.capture_fps > 0) return "a capture rate needs mp4, mov or m4v";
    if (!f.durations.empty() && f.container == "avi") return "avi has one frame rate";
    return "";
}

std::string describe_video_stream(AVStream* stream, const ClipFormat& f) {
    stream->sample_aspect_ratio = stream->codecpar->sample_aspect_ratio;
    if (stream->codecpar->codec_id == AV_CODEC_ID_HEVC && is_movie(f.container))
        stream->codecpar->codec_tag = MKTAG('h', 'v', 'c', '1');
    return add_display_matrix(stream, f);
}

AVDictionary* container_options(AVFormatContext* out, const ClipFormat& f) {
    AVDictionary* options = nullptr;
    if (f.capture_fps > 0) {
        // Android keeps it in the movie's metadata keys (moov/meta/keys), which the muxer
        // writes for every metadata entry when asked to.
        char text[32];
        std::snprintf(text, sizeof text, "%.6f", f.capture_fps);
        av_dict_set(&out->metadata, "com.android.capture.fps", text, 0);
        av_dict_set(&options, "movflags", "use_metadata_tags", 0);
    }
    return options;
}
