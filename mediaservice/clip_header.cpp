#include "mediaservice/clip_header.h"

#include <cmath>
#include <cstdlib>

namespace {

// The capture rate in the movie's or the stream's metadata: a decimal, or 0.
double tagged_capture_rate(const AVFormatContext* format, const AVStream* stream) {
    for (const AVDictionary* tags : {format->metadata, stream->metadata}) {
        const AVDictionaryEntry* entry = av_dict_get(tags, "com.android.capture.fps", nullptr, 0);
        if (!entry || !entry->value) continue;
        char* end = nullptr;
        const double rate = std::strtod(entry->value, &end);
        if (end != entry->value && std::isfinite(rate) && rate > 0 && rate < 1e6) return rate;
    }
    return 0;
}

}  // namespace

ClipHeader ClipHeader::read(AVFormatContext* format, int stream_number, QSize stored) {
    AVStream* stream = format->streams[stream_number];
    ClipHeader header;
    size_t matrix_size = 0;
    const auto* matrix = reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &matrix_size));
    if (matrix && matrix_size >= 9 * sizeof(std::int32_t))
        header.transform = DisplayTransform::from_matrix(matrix);
    const AVRational sar = av_guess_sample_aspect_ratio(format, stream, nullptr);
    header.displayed = displayed_size(stored, sar.num, sar.den, header.transform);
    header.capture_rate = tagged_capture_rate(format, stream);
    for (AVRational rate : {stream->r_frame_rate, stream->avg_frame_rate}) {
        if (rate.num > 0 && rate.den > 0) {
            header.nominal_rate = rate;
            break;
        }
    }
    return header;
}
