#include "mediaservice/mp4_sample_table.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

constexpr std::int64_t kMostMovieBytes = std::int64_t(256) << 20;
constexpr int kMostTopBoxes = 100000;             // boxes before the movie header
constexpr std::uint32_t kMostSamples = 1u << 24;  // 39 hours at 120 frames a second

std::uint32_t type_of(const char (&name)[5]) {
    return std::uint32_t(std::uint8_t(name[0])) << 24 | std::uint32_t(std::uint8_t(name[1])) << 16 |
           std::uint32_t(std::uint8_t(name[2])) << 8 | std::uint32_t(std::uint8_t(name[3]));
}

// Bytes of the movie header, read big-endian with every read checked against the end.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t size() const { return size_; }
    bool has(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
    std::uint64_t number(std::size_t at, int bytes) const {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) value = value << 8 | data_[at + i];
        return value;
    }
    std::uint32_t u32(std::size_t at) const { return static_cast<std::uint32_t>(number(at, 4)); }
    Bytes part(std::size_t at, std::size_t count) const { return Bytes(data_ + at, count); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// The payload of the first child box of `type` in a run of boxes, or nullopt.
std::optional<Bytes> child(const Bytes& boxes, std::uint32_t type, std::size_t skip = 0) {
    std::size_t at = 0;
    while (boxes.has(at, 8)) {
        std::uint64_t size = boxes.u32(at);
        std::size_t header = 8;
        if (size == 1) {
            if (!boxes.has(at, 16)) return std::nullopt;
            size = boxes.number(at + 8, 8);
            header = 16;
        } else if (size == 0) {
            size = boxes.size() - at;  // to the end of the parent
        }
        if (size < header || !boxes.has(at, size)) return std::nullopt;
        if (boxes.u32(at + 4) == type) {
            if (skip == 0) return boxes.part(at + header, size - header);
            --skip;
        }
        at += size;
    }
    return std::nullopt;
}

std::optional<Bytes> path(Bytes boxes, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        char four[5] = {};
        std::memcpy(four, name, 4);
        auto found = child(boxes, type_of(four));
        if (!found) return std::nullopt;
        boxes = *found;
    }
    return boxes;
}

// A full box's table: its entry count (after version and flags) and entries of `width` bytes
// from `first`, all inside the box.
std::optional<std::uint32_t> entries(const Bytes& box, std::size_t first, std::size_t width) {
    if (!box.has(4, 4)) return std::nullopt;
    const std::uint32_t count = box.u32(4);
    if (count > kMostSamples || !box.has(first, std::size_t(count) * width)) return std::nullopt;
    return count;
}

int track_id(const Bytes& trak) {
    const auto tkhd = child(trak, type_of("tkhd"));
    if (!tkhd || !tkhd->has(0, 4)) return -1;
    const std::size_t at = tkhd->number(0, 1) == 1 ? 20 : 12;  // after the two times
    return tkhd->has(at, 4) ? static_cast<int>(tkhd->u32(at)) : -1;
}

std::optional<std::vector<SampleOffset>> offsets_of(const Bytes& stbl) {
    const auto stsz = child(stbl, type_of("stsz"));
    const auto stsc = child(stbl, type_of("stsc"));
    auto stco = child(stbl, type_of("stco"));
    const bool wide = !stco;
    if (wide) stco = child(stbl, type_of("co64"));
    if (!stsz || !stsc || !stco || !stsz->has(0, 12)) return std::nullopt;
    const std::uint32_t fixed_size = stsz->u32(4);
    const std::uint32_t samples = stsz->u32(8);
    if (samples > kMostSamples || (fixed_size == 0 && !stsz->has(12, std::size_t(samples) * 4)))
        return std::nullopt;
    const auto chunk_count = entries(*stco, 8, wide ? 8 : 4);
    const auto runs = entries(*stsc, 8, 12);
    if (!chunk_count || !runs) return std::nullopt;

    std::vector<SampleOffset> out;
    out.reserve(samples);
    for (std::uint32_t run = 0; run < *runs && out.size() < samples; ++run) {
        const std::uint32_t first = stsc->u32(8 + 12 * run);
        const std::uint32_t per_chunk = stsc->u32(12 + 12 * run);
        const std::uint32_t end =
            run + 1 < *runs ? stsc->u32(8 + 12 * (run + 1)) : *chunk_count + 1;
        // Runs start at chunk 1 and go forward; anything else is no table of this file.
        if (first == 0 || end < first || (run == 0 && first != 1)) return std::nullopt;
        for (std::uint32_t chunk = first; chunk < end && chunk <= *chunk_count; ++chunk) {
            const std::size_t at = 8 + std::size_t(chunk - 1) * (wide ? 8 : 4);
            std::int64_t pos = static_cast<std::int64_t>(stco->number(at, wide ? 8 : 4));
            for (std::uint32_t k = 0; k < per_chunk && out.size() < samples; ++k) {
                const std::size_t sample = out.size();
                out.push_back({pos, 0});
                pos += fixed_size ? fixed_size : stsz->u32(12 + 4 * sample);
            }
            if (out.size() == samples) break;
        }
    }
    if (out.size() != samples) return std::nullopt;

    if (const auto ctts = child(stbl, type_of("ctts"))) {
        const auto count = entries(*ctts, 8, 8);
        if (!count) return std::nullopt;
        std::size_t sample = 0;
        for (std::uint32_t e = 0; e < *count && sample < out.size(); ++e) {
            const std::uint32_t run = ctts->u32(8 + 8 * e);
            // Read signed whatever the version says, as the demuxer reads it.
            const auto offset = static_cast<std::int32_t>(ctts->u32(12 + 8 * e));
            for (std::uint32_t k = 0; k < run && sample < out.size(); ++k)
                out[sample++].offset = offset;
        }
    }
    if (!std::is_sorted(out.begin(), out.end(),
                        [](const SampleOffset& a, const SampleOffset& b) { return a.pos < b.pos; }))
        std::stable_sort(out.begin(), out.end(), [](const SampleOffset& a, const SampleOffset& b) {
            return a.pos < b.pos;
        });
    return out;
}

// The movie header's payload, found by walking the top-level boxes.
std::optional<std::vector<std::uint8_t>> movie_header(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::int64_t file_size = in.tellg();
    std::int64_t at = 0;
    for (int box = 0; box < kMostTopBoxes && at + 8 <= file_size; ++box) {
        std::uint8_t head[16];
        in.seekg(at);
        if (!in.read(reinterpret_cast<char*>(head), 8)) return std::nullopt;
        const Bytes h(head, 16);
        std::int64_t size = h.u32(0);
        std::int64_t header = 8;
        if (size == 1) {
            if (!in.read(reinterpret_cast<char*>(head + 8), 8)) return std::nullopt;
            const std::uint64_t large = h.number(8, 8);
            size = large > std::uint64_t(INT64_MAX) ? -1 : static_cast<std::int64_t>(large);
            header = 16;
        } else if (size == 0) {
            size = file_size - at;
        }
        if (size < header) return std::nullopt;
        if (h.u32(4) == type_of("moov")) {
            // A movie header that claims to run past the end of the file is read to the end.
            const std::int64_t payload = std::min(size, file_size - at) - header;
            if (payload > kMostMovieBytes) return std::nullopt;
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(payload));
            in.seekg(at + header);
            if (!in.read(reinterpret_cast<char*>(bytes.data()), payload)) return std::nullopt;
            return bytes;
        }
        if (size > file_size - at) return std::nullopt;
        at += size;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<SampleOffset>> read_composition_offsets(const std::string& file,
                                                                  int track_id_wanted) {
    const auto movie = movie_header(file);
    if (!movie) return std::nullopt;
    const Bytes moov(movie->data(), movie->size());
    for (std::size_t k = 0;; ++k) {
        const auto trak = child(moov, type_of("trak"), k);
        if (!trak) return std::nullopt;
        if (track_id(*trak) != track_id_wanted) continue;
        const auto stbl = path(*trak, {"mdia", "minf", "stbl"});
        return stbl ? offsets_of(*stbl) : std::nullopt;
    }
}
