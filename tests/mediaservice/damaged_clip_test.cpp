#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "mediaservice/clip_session.h"
#include "tools/frame_pattern.h"

#include "tests/mediaservice/service_driver.h"
#include "tests/mediaservice/test_clips.h"

namespace {

ClipFormat long_gop(const char* encoder) {
    ClipFormat clip_format;
    clip_format.encoder = encoder;
    clip_format.frames = 48;
    clip_format.b_frames = clip_format.encoder == "mjpeg" ? 0 : 2;
    clip_format.gop = 12;
    return clip_format;
}

// Bytes from the middle of the file overwritten with a pattern no codec expects.
std::string scrambled_copy(const std::string& source, const std::string& name) {
    const std::string path = altered_copy(source, name, "", "");
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const auto size = static_cast<long>(std::filesystem::file_size(path));
    for (long at = size / 3; at < size * 2 / 3; at += 97) {
        file.seekp(at);
        file.write("\xFF\x00\xAA\x55", 4);
    }
    return path;
}

// Where the frames' data begins: after the list of headers.
long movie_data_start(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return static_cast<long>(bytes.find("movi"));
}

// Whatever the service offers of a damaged clip can be sought and stepped through, and the
// position always says where it is.
void walk_all_frames(ServiceDriver& d, const std::string& what) {
    const int length = d.length();
    for (int k = length - 1; k >= 0; k -= 3) {
        d.send("seek v to " + std::to_string(k));
        EXPECT_EQ(d.position(), k) << what;
    }
    for (int k = 0; k < length + 2; ++k) d.send("step v");
    EXPECT_EQ(d.position(), length - 1) << what;
}

TEST(DamagedClips, CutOrScrambledClipsNeverBreakTheService) {
    std::vector<std::pair<std::string, ClipFormat>> sources = {{"mjpeg", long_gop("mjpeg")},
                                                               {"mpeg4", long_gop("mpeg4")}};
    if (have_encoder("libx264")) sources.push_back({"h264", long_gop("libx264")});
    for (const auto& [name, clip_format] : sources) {
        const std::string source = numbered_clip(clip_format, "damage_" + name + ".avi");
        const long size = static_cast<long>(std::filesystem::file_size(source));
        const long movie = movie_data_start(source);
        for (int percent : {30, 60, 90}) {
            const std::string what =
                name + " cut at " + std::to_string(percent) + "% of the frames' data";
            const std::string cut =
                altered_copy(source, "cut.avi", "", "", movie + (size - movie) * percent / 100);
            ServiceDriver d;
            ASSERT_EQ(d.send("open " + percent_encoded(cut) + " alias v"), 0) << what;
            EXPECT_GT(d.length(), 0) << what;
            EXPECT_LE(d.length(), clip_format.frames) << what;  // a cut in the index loses no frame
            walk_all_frames(d, what);
            EXPECT_EQ(d.held_number(), d.position()) << what;
        }
        ServiceDriver d;
        const std::string scrambled = scrambled_copy(source, "scrambled.avi");
        if (d.send("open " + percent_encoded(scrambled) + " alias v") == 0)
            walk_all_frames(d, name + " scrambled");
    }
}

// Two encodes of different sizes joined without decoding, or the other way round: every frame
// is shown at the size the clip gave at open, and seeks back and forth across the join, which
// recycle the frame buffers of both sizes, show the frame asked for.
TEST(DamagedClips, FrameSizeChangingPartWayIsShownAtTheClipsSize) {
    std::vector<std::string> encoders = {"mpeg4"};
    if (have_encoder("libx264")) encoders.push_back("libx264");
    const QSize sizes[] = {{320, 240}, {640, 480}};
    for (const std::string& encoder : encoders) {
        for (int order = 0; order < 2; ++order) {
            std::string parts[2];
            for (int part = 0; part < 2; ++part) {
                ClipFormat format = long_gop(encoder.c_str());
                format.frames = 30;
                format.width = sizes[order ^ part].width();
                format.height = sizes[order ^ part].height();
                parts[part] = temp_path("part" + std::to_string(part) + ".avi");
                ASSERT_EQ(write_clip(parts[part], format,
                                     [&](int k) {
                                         return numbered_frame(k + 30 * part, format.width,
                                                               format.height);
                                     }),
                          "");
            }
            const std::string what = encoder + " from " + std::to_string(sizes[order].width());
            ServiceDriver d;
            d.must("open " + percent_encoded(joined_clip(parts[0], parts[1], "joined.avi")) +
                   " alias v");
            ASSERT_EQ(d.length(), 60) << what;
            const QSize first = sizes[order];
            const std::string source =
                "0 0 " + std::to_string(first.width()) + " " + std::to_string(first.height());
            // Seeks back and forth across the join, then steps over it: both show the same
            // frames. The decoder may let the last frame before the join go; it then shows the
            // frame before it, as a dropped frame does, and no later frame moves.
            std::map<int, int> by_seek;
            for (int frame : {29, 45, 31, 12, 59, 30, 5, 44, 28, 25, 26, 27, 32, 33, 34}) {
                d.must("seek v to " + std::to_string(frame));
                by_seek[frame] = d.held_number();
                EXPECT_EQ(d.painted_number(), by_seek[frame]) << what;
                EXPECT_EQ(d.service.session("v")->picture().size(), first) << what;
                std::string reply;
                d.send("where v source", &reply);
                EXPECT_EQ(reply, source) << what;
                EXPECT_TRUE(by_seek[frame] == frame || (frame == 29 && by_seek[frame] == 28))
                    << what << ", seek to " << frame << " shows " << by_seek[frame];
            }
            d.must("seek v to 25");
            for (int frame = 26; frame <= 34; ++frame) {
                d.must("step v");
                EXPECT_EQ(d.held_number(), by_seek[frame]) << what << ", step to " << frame;
            }
        }
    }
}

// An index that disagrees with the data: an entry that names another stream, headers that
// claim more frames than there are, or two entries that trade places. Seeking shows the same frame
// as stepping does.
TEST(DamagedClips, FramesReachedBySeekOrStepAgreeWhenTheIndexIsWrong) {
    const std::string source = small_clip(120, "index_source.avi");
    std::ifstream in(source, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t entries = bytes.rfind("idx1") + 8;  // 16 bytes each: id, flags, offset, size
    auto entry = [&](int k) { return entries + 16 * static_cast<size_t>(k); };
    const struct {
        const char* what;
        std::function<void(std::string&)> damage;
    } cases[] = {
        {"entry 108 names an audio chunk",
         [&](std::string& b) { b.replace(entry(108), 4, "01wb"); }},
        {"the headers claim 1000 frames",
         [&](std::string& b) {
             const std::string thousand("\xE8\x03\x00\x00", 4);
             b.replace(b.find("avih") + 8 + 16, 4, thousand);  // total frames
             b.replace(b.find("strh") + 8 + 32, 4, thousand);  // the stream's length
         }},
        {"entries 50 and 51 swapped",
         [&](std::string& b) {
             const std::string first = b.substr(entry(50), 16);
             b.replace(entry(50), 16, b.substr(entry(51), 16));
             b.replace(entry(51), 16, first);
         }},
    };
    for (const auto& c : cases) {
        std::string damaged = bytes;
        c.damage(damaged);
        const std::string path = temp_path("index_damaged.avi");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
        ServiceDriver d;
        d.must("open " + percent_encoded(path) + " alias v");
        EXPECT_EQ(d.length(), 120) << c.what;
        d.must("seek v to end");
        EXPECT_EQ(d.held_number(), 119) << c.what;
        for (int frame : {108, 119, 109, 50, 51, 0}) {
            d.must("seek v to " + std::to_string(frame));
            EXPECT_EQ(d.position(), frame) << c.what;
            EXPECT_EQ(d.held_number(), frame) << c.what << ", seek to " << frame;
        }
        d.must("seek v to 100");
        for (int frame = 101; frame < 120; ++frame) {
            d.must("step v");
            EXPECT_EQ(d.held_number(), frame) << c.what << ", step to " << frame;
        }
    }
}

}  // namespace

namespace {

// A copy of an MP4 with the entries of its first `box` table (version and flags, a count,
// entries of 8 bytes) rewritten: `value(k, old)` becomes the second 32-bit number of entry k.
std::string retimed_copy(const std::string& source, const char* box,
                         const std::function<std::uint32_t(std::uint32_t, std::uint32_t)>& value) {
    std::ifstream in(source, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t body = bytes.find(box) + 4;
    auto number = [&](size_t at) {
        std::uint32_t n = 0;
        for (int i = 0; i < 4; ++i) n = n << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        return n;
    };
    const std::uint32_t count = number(body + 4);
    for (std::uint32_t k = 0; k < count && body + 16 + 8 * k <= bytes.size(); ++k) {
        const std::uint32_t changed = value(k, number(body + 12 + 8 * k));
        for (int i = 0; i < 4; ++i)
            bytes[body + 12 + 8 * k + i] = static_cast<char>(changed >> (24 - 8 * i));
    }
    const std::string path = temp_path(std::string("retimed_") + box + ".mp4");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

// Presentation times that repeat (every decode time the same) or run backwards: the frames
// are still the clip's times in order, and a seek shows what the steps to it show.
TEST(DamagedClips, TimesThatRepeatOrGoBackNumberFramesAlike) {
    if (!have_encoder("libx264")) GTEST_SKIP() << "no H.264 encoder";
    ClipFormat format = long_gop("libx264");
    format.container = "mp4";
    format.frames = 40;
    const std::string source = numbered_clip(format, "retime_source.mp4");
    const std::string damaged[] = {
        retimed_copy(source, "stts", [](std::uint32_t, std::uint32_t) { return 0u; }),
        // Every third sample shown three frames early (512 ticks a frame).
        retimed_copy(source, "ctts",
                     [](std::uint32_t k, std::uint32_t old) { return k % 3 ? old : old - 1536; }),
    };
    for (const std::string& path : damaged) {
        ServiceDriver d;
        if (d.send("open " + percent_encoded(path) + " alias v") != 0) continue;
        const int length = d.length();
        EXPECT_GE(length, 1) << path;
        EXPECT_LE(length, 40) << path;
        std::vector<int> by_seek(length);
        for (int frame = length - 1; frame >= 0; --frame) {
            d.must("seek v to " + std::to_string(frame));
            EXPECT_EQ(d.position(), frame) << path;
            by_seek[frame] = d.held_number();
        }
        for (int frame = 1; frame < length; ++frame) {
            d.must("step v");
            EXPECT_EQ(d.held_number(), by_seek[frame]) << path << ", step to " << frame;
        }
    }
}

}  // namespace
