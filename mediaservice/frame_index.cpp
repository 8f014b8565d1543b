#include "mediaservice/frame_index.h"

#include <algorithm>
#include <cstring>

#include "mediaservice/keyframe_sniffer.h"

int FrameIndex::keyframe_before(int frame) const {
    auto it = std::upper_bound(keyframes.begin(), keyframes.end(), frame);
    if (it == keyframes.begin()) return keyframes.empty() ? 0 : keyframes.front();
    return *std::prev(it);
}

int FrameIndex::previous_keyframe(int keyframe) const {
    auto it = std::lower_bound(keyframes.begin(), keyframes.end(), keyframe);
    if (it == keyframes.begin()) return -1;
    return *std::prev(it);
}

int FrameIndex::timeline_length() const {
    if (dts.empty()) return 0;
    const std::int64_t span = dts.back() - dts.front() + 1;
    // Only a timeline with room for every packet, and not mostly empty, is believed.
    if (span < count() || span > 4 * static_cast<std::int64_t>(count()) + 16) return count();
    return static_cast<int>(span);
}

int FrameIndex::packet_at(int frame) const {
    if (timeline_length() == count()) return frame;
    auto it = std::upper_bound(dts.begin(), dts.end(), dts.front() + frame);
    return static_cast<int>(it - dts.begin()) - 1;
}

namespace {

struct IndexEntry {
    std::int64_t pos;
    std::int64_t dts;
    int size;
    bool key;
};

void add(FrameIndex& index, std::int64_t dts, bool key) {
    if (key) index.keyframes.push_back(index.count());
    index.dts.push_back(dts);
}

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

// Makes the demuxer seek by the packets as they were read, where its own table (from a
// damaged index) names other places. An AVI index points at a chunk's header, 8 bytes before
// the packet's data.
void replace_table(AVFormatContext* format, int stream, const std::vector<IndexEntry>& read) {
    if (std::strcmp(format->iformat->name, "avi") != 0) return;
    for (const IndexEntry& entry : read) {
        if (entry.pos >= 8)
            av_add_index_entry(format->streams[stream], entry.pos - 8, entry.dts, entry.size, 0,
                               entry.key ? AVINDEX_KEYFRAME : 0);
    }
}

// Without the file's index, the keyframe marks of the packets are guesses: the bitstream
// decides where it can, and a codec that is not intra-only is otherwise decoded from its start.
void from_packets(FrameIndex& index, AVFormatContext* format, int stream) {
    const AVCodecID codec = format->streams[stream]->codecpar->codec_id;
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec);
    const bool intra_only = descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
    AvPacketPtr packet(av_packet_alloc());
    std::vector<IndexEntry> read;
    while (av_read_frame(format, packet.get()) >= 0) {
        if (packet->stream_index == stream && !(packet->flags & AV_PKT_FLAG_CORRUPT)) {
            const std::int64_t dts = packet->dts != AV_NOPTS_VALUE ? packet->dts : index.count();
            const bool key =
                intra_only || sniff_keyframe(codec, packet.get()).value_or(index.count() == 0);
            add(index, dts, key);
            read.push_back({packet->pos, dts, packet->size, key});
        }
        av_packet_unref(packet.get());
    }
    replace_table(format, stream, read);
    index.cut = index.timeline_length() < format->streams[stream]->nb_frames;
}

}  // namespace

FrameIndex build_frame_index(AVFormatContext* format, int stream, std::int64_t file_size) {
    FrameIndex index;
    if (!from_table(index, format->streams[stream], file_size)) from_packets(index, format, stream);
    // Decoding always may start at the first packet; frames before the first marked keyframe
    // come out as well as the decoder can make them.
    if (index.count() > 0 && (index.keyframes.empty() || index.keyframes.front() != 0))
        index.keyframes.insert(index.keyframes.begin(), 0);
    av_seek_frame(format, stream, index.dts.empty() ? 0 : index.dts.front(), AVSEEK_FLAG_BACKWARD);
    return index;
}
