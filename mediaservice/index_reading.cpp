#include <algorithm>
#include <cstring>
#include <optional>

#include "mediaservice/frame_index.h"
#include "mediaservice/keyframe_sniffer.h"
#include "mediaservice/mp4_sample_table.h"

namespace {

struct IndexEntry {
    std::int64_t pos;
    std::int64_t dts;
    int size;
    bool key;
};

bool is_format(const AVFormatContext* format, const char* name) {
    return std::strncmp(format->iformat->name, name, std::strlen(name)) == 0;
}

void add(FrameIndex& index, std::int64_t dts, bool key) {
    if (key) index.keyframes.push_back(index.count());
    index.dts.push_back(dts);
}

// An AVI's own index.
bool from_table(FrameIndex& index, AVStream* stream, std::int64_t file_size) {
    const int entries = avformat_index_get_entries_count(stream);
    if (entries <= 0) return false;
    // Reading packets also makes entries, marked as keyframes all of them; only a table that
    // covers the frames the header announces came from the file's own index.
    const std::int64_t span = avformat_index_get_entry(stream, entries - 1)->timestamp -
                              avformat_index_get_entry(stream, 0)->timestamp + 1;
    if (std::max<std::int64_t>(entries, span) < stream->nb_frames) return false;
    const AVIndexEntry* before = nullptr;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        // A packet whose data would run past the end of the file was cut off.
        if (file_size > 0 && entry->pos + entry->size > file_size) {
            index.cut = true;
            break;
        }
        // Packets follow each other in the file: a table whose entries go back or overlap
        // does not describe the data, and seeking by it would show another frame than stepping.
        if (before && entry->pos < before->pos + before->size) {
            index = FrameIndex{};
            return false;
        }
        before = entry;
        add(index, entry->timestamp, entry->flags & AVINDEX_KEYFRAME);
    }
    return true;
}

// How much later the demuxer says a packet is shown than its decode time and composition
// offset make it (the shift by the largest negative offset), from the first packet it reads;
// nullopt when that packet is none of the index's, or disagrees with it.
std::optional<std::int64_t> read_shift(const FrameIndex& index, AVFormatContext* format,
                                       int stream) {
    AvPacketPtr packet(av_packet_alloc());
    for (int read = 0; read < 64 && av_read_frame(format, packet.get()) >= 0; ++read) {
        const bool ours = packet->stream_index == stream;
        const int k = ours ? index.packet_at_pos(packet->pos) : -1;
        const std::int64_t pts = packet->pts, dts = packet->dts;
        av_packet_unref(packet.get());
        if (!ours) continue;
        if (k < 0 || pts == AV_NOPTS_VALUE || (dts != AV_NOPTS_VALUE && dts != index.dts[k]))
            return std::nullopt;
        return pts - index.pts[k];
    }
    return std::nullopt;
}

// An MP4 or QuickTime index: the demuxer's decode times and edit list (hidden samples marked),
// with the composition offsets read from the file's sample tables.
bool from_mov_table(FrameIndex& index, AVFormatContext* format, int stream_number,
                    const std::string& path, std::int64_t file_size) {
    AVStream* stream = format->streams[stream_number];
    const int entries = avformat_index_get_entries_count(stream);
    if (entries <= 0) return false;
    const auto offsets = read_composition_offsets(path, stream->id);
    if (!offsets) return false;
    std::vector<bool> shown;
    shown.reserve(entries);
    index.dts.reserve(entries);
    index.pos.reserve(entries);
    index.pts.reserve(entries);
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        if (file_size > 0 && entry->pos + entry->size > file_size) {
            index.cut = true;
            break;
        }
        const auto sample =
            std::lower_bound(offsets->begin(), offsets->end(), entry->pos,
                             [](const SampleOffset& s, std::int64_t pos) { return s.pos < pos; });
        if (sample == offsets->end() || sample->pos != entry->pos) return false;
        add(index, entry->timestamp, entry->flags & AVINDEX_KEYFRAME);
        index.pos.push_back(entry->pos);
        index.pts.push_back(entry->timestamp + sample->offset);
        shown.push_back(!(entry->flags & AVINDEX_DISCARD_FRAME));
    }
    index.number_by_time(shown);
    const auto shift = read_shift(index, format, stream_number);
    if (!shift) return false;
    for (std::int64_t& pts : index.pts) pts += *shift;
    for (std::int64_t& pts : index.shown) pts += *shift;
    return index.by_time();
}

// Makes the demuxer seek by the packets as they were read, where its own table (from a
// damaged index) names other places. An AVI index points at a chunk's header, 8 bytes before
// the packet's data.
void replace_table(AVFormatContext* format, int stream, const std::vector<IndexEntry>& read) {
    if (!is_format(format, "avi")) return;
    for (const IndexEntry& entry : read) {
        if (entry.pos >= 8)
            av_add_index_entry(format->streams[stream], entry.pos - 8, entry.dts, entry.size, 0,
                               entry.key ? AVINDEX_KEYFRAME : 0);
    }
}

// Every packet header read. In AVI, without the file's index, the keyframe marks of the
// packets are guesses: the bitstream decides where it can, and a codec that is not intra-only
// is otherwise decoded from its start. Elsewhere the container's marks hold, and the packets'
// presentation times number the frames when every packet shown has one.
void from_packets(FrameIndex& index, AVFormatContext* format, int stream) {
    const AVCodecID codec = format->streams[stream]->codecpar->codec_id;
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec);
    const bool intra_only = descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
    const bool avi = is_format(format, "avi");
    // Matroska seeks by presentation times, and stores no decode times.
    const bool seeks_by_pts = is_format(format, "matroska");
    AvPacketPtr packet(av_packet_alloc());
    std::vector<IndexEntry> read;
    std::vector<bool> shown;
    bool timed = !avi;
    while (av_read_frame(format, packet.get()) >= 0) {
        if (packet->stream_index == stream && !(packet->flags & AV_PKT_FLAG_CORRUPT)) {
            const std::int64_t pts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            std::int64_t dts = seeks_by_pts || packet->dts == AV_NOPTS_VALUE ? pts : packet->dts;
            if (dts == AV_NOPTS_VALUE) dts = index.count();
            const bool key = intra_only ||
                             (avi ? sniff_keyframe(codec, packet.get()).value_or(index.count() == 0)
                                  : (packet->flags & AV_PKT_FLAG_KEY) != 0);
            const bool hidden = (packet->flags & AV_PKT_FLAG_DISCARD) != 0;
            timed = timed && (hidden || pts != AV_NOPTS_VALUE);
            add(index, dts, key);
            index.pos.push_back(packet->pos);
            index.pts.push_back(pts);
            shown.push_back(!hidden && pts != AV_NOPTS_VALUE);
            read.push_back({packet->pos, dts, packet->size, key});
        }
        av_packet_unref(packet.get());
    }
    replace_table(format, stream, read);
    if (timed) {
        index.number_by_time(shown);
    } else {
        index.pos.clear();
        index.pts.clear();
        index.cut = index.timeline_length() < format->streams[stream]->nb_frames;
    }
}

}  // namespace

FrameIndex build_frame_index(AVFormatContext* format, int stream, const std::string& path,
                             std::int64_t file_size) {
    FrameIndex index;
    if (is_format(format, "mov,mp4")) {
        if (!from_mov_table(index, format, stream, path, file_size)) {
            // A fragmented file, or tables that do not agree: every packet is read instead.
            index = FrameIndex{};
            av_seek_frame(format, stream, 0, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
            avformat_seek_file(format, stream, INT64_MIN, INT64_MIN, INT64_MIN, 0);
            from_packets(index, format, stream);
        }
    } else if (!is_format(format, "avi") ||
               !from_table(index, format->streams[stream], file_size)) {
        from_packets(index, format, stream);
    }
    // Decoding always may start at the first packet; frames before the first marked keyframe
    // come out as well as the decoder can make them.
    if (index.count() > 0 && (index.keyframes.empty() || index.keyframes.front() != 0))
        index.keyframes.insert(index.keyframes.begin(), 0);
    av_seek_frame(format, stream, index.dts.empty() ? 0 : index.dts.front(), AVSEEK_FLAG_BACKWARD);
    return index;
}
