#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

}  // namespace
