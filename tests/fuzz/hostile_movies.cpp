#include "tests/fuzz/hostile_movies.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::string;

Bytes read_all(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t get32(const Bytes& b, size_t at) {
    return (std::uint32_t(std::uint8_t(b[at])) << 24) |
           (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint8_t(b[at + 3]);
}

void put32(Bytes& b, size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(value >> (24 - 8 * i));
}

// The offset of the body of the first atom of that type (after its size and type), or npos.
size_t atom_body(const Bytes& b, const char* type) {
    const size_t at = b.find(type);
    return at == Bytes::npos || at < 4 || at + 4 > b.size() ? Bytes::npos : at + 4;
}

// Calls `change` with the offset of each entry of a full atom's table of `entry_size` bytes
// (version and flags, entry count, entries), and the entry's index.
bool each_entry(Bytes& b, const char* type, size_t entry_size, size_t skip,
                const std::function<void(size_t, std::uint32_t)>& change) {
    const size_t body = atom_body(b, type);
    if (body == Bytes::npos || body + 8 + skip > b.size()) return false;
    const std::uint32_t count = get32(b, body + 4 + skip);
    for (std::uint32_t k = 0; k < count; ++k) {
        const size_t at = body + 8 + skip + k * entry_size;
        if (at + entry_size > b.size()) break;
        change(at, k);
    }
    return true;
}

// The first track header's matrix: (a, b, c, d) = (first, second, second, first), the rest
// as garbage as the values given.
bool damage_matrix(Bytes& b, std::uint32_t first, std::uint32_t second) {
    const size_t body = atom_body(b, "tkhd");
    if (body == Bytes::npos) return false;
    const size_t matrix = body + (b[body] == 1 ? 52 : 40);
    if (matrix + 36 > b.size()) return false;
    const std::uint32_t values[9] = {first, second, 0, second, first, 0, second, first, second};
    for (int i = 0; i < 9; ++i) put32(b, matrix + 4 * i, values[i]);
    return true;
}

// Each Matroska cluster's timecode (element E7 at the start of the cluster) set by `timecode`
// from the cluster's index.
bool damage_clusters(Bytes& b, const std::function<std::uint8_t(int)>& timecode) {
    int clusters = 0;
    for (size_t at = b.find("\x1f\x43\xb6\x75"); at != Bytes::npos;
         at = b.find("\x1f\x43\xb6\x75", at + 4)) {
        const size_t element = b.find('\xe7', at + 4);
        if (element == Bytes::npos || element > at + 16 || element + 2 >= b.size()) continue;
        const int length = static_cast<std::uint8_t>(b[element + 1]) & 0x0f;
        if (element + 2 + length > b.size() || length == 0) continue;
        for (int i = 0; i < length; ++i) b[element + 2 + i] = 0;
        b[element + 1 + length] = static_cast<char>(timecode(clusters++));
    }
    return clusters > 1;
}

struct Variant {
    const char* name;
    std::function<bool(Bytes&)> damage;
};

std::vector<Variant> movie_variants() {
    return {
        {"moov_huge",
         [](Bytes& b) {
             const size_t body = atom_body(b, "moov");
             if (body == Bytes::npos) return false;
             put32(b, body - 8, 0xFFFFFFF0u);
             return true;
         }},
        // A 64-bit size after the type: the file grows by eight bytes after the media data.
        {"moov_huge64",
         [](Bytes& b) {
             const size_t body = atom_body(b, "moov");
             if (body == Bytes::npos) return false;
             put32(b, body - 8, 1);
             b.insert(body, Bytes("\x7f\xff\xff\xff\xff\xff\xff\x00", 8));
             return true;
         }},
        {"elst_negative",
         [](Bytes& b) {
             return each_entry(b, "elst", 12, 0, [&](size_t at, std::uint32_t) {
                 put32(b, at + 4, static_cast<std::uint32_t>(-7));
             });
         }},
        {"elst_huge",
         [](Bytes& b) {
             return each_entry(b, "elst", 12, 0, [&](size_t at, std::uint32_t) {
                 put32(b, at, 0xFFFFFFFFu);
                 put32(b, at + 4, 0x7FFFFFF0u);
             });
         }},
        {"matrix_zero", [](Bytes& b) { return damage_matrix(b, 0, 0); }},
        {"matrix_garbage", [](Bytes& b) { return damage_matrix(b, 0x7FFFFFFFu, 0x80000001u); }},
        {"stts_repeat",
         [](Bytes& b) {
             return each_entry(b, "stts", 8, 0,
                               [&](size_t at, std::uint32_t) { put32(b, at + 4, 0); });
         }},
        {"stts_huge",
         [](Bytes& b) {
             return each_entry(b, "stts", 8, 0,
                               [&](size_t at, std::uint32_t) { put32(b, at + 4, 0xFFFFFFFFu); });
         }},
        {"ctts_backwards",
         [](Bytes& b) {
             return each_entry(b, "ctts", 8, 0, [&](size_t at, std::uint32_t k) {
                 put32(b, at + 4, static_cast<std::uint32_t>(-2000 * static_cast<int>(k)));
             });
         }},
        {"stco_past_end",
         [](Bytes& b) {
             const std::uint32_t size = static_cast<std::uint32_t>(b.size());
             return each_entry(b, "stco", 4, 0,
                               [&](size_t at, std::uint32_t k) { put32(b, at, size + 1000 * k); });
         }},
        // Sample sizes follow a fixed size and the count: skip the fixed size.
        {"stsz_huge",
         [](Bytes& b) {
             return each_entry(b, "stsz", 4, 4,
                               [&](size_t at, std::uint32_t) { put32(b, at, 0x7FFFFFFFu); });
         }},
    };
}

}  // namespace

int write_hostile_movies(const std::filesystem::path& folder, const std::string& mp4,
                         const std::string& mkv) {
    std::vector<std::pair<std::string, Variant>> all;
    for (const Variant& v : movie_variants()) all.push_back({mp4, v});
    all.push_back({mkv, {"mkv_backwards", [](Bytes& b) {
                             return damage_clusters(b, [](int k) { return 200 - 40 * k; });
                         }}});
    all.push_back(
        {mkv, {"mkv_repeat", [](Bytes& b) { return damage_clusters(b, [](int) { return 7; }); }}});
    int written = 0;
    for (const auto& [source, variant] : all) {
        Bytes bytes = read_all(source);
        if (!variant.damage(bytes)) continue;
        std::ofstream(folder / (std::string(variant.name) + ".bin"), std::ios::binary) << bytes;
        ++written;
    }
    return written;
}
