#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <QString>

#include "mediaservice/media_errors.h"
#include "tests/mediaservice/service_driver.h"
#include "tests/mediaservice/test_clips.h"

namespace {

std::string mjpeg_clip() { return small_clip(60, "bad_input_source.avi"); }

// The failure's code is the expected one, its text names the cause and fits the caller's
// 256-character reply buffer.
void expect_failure(ServiceDriver& d, const std::string& command, int code) {
    std::string reply;
    EXPECT_EQ(d.send(command, &reply), code) << command;
    const std::string text = d.service.error_text(code);
    EXPECT_EQ(text.rfind(media_error_text(code), 0), 0u) << command << ": " << text;
    EXPECT_EQ(reply, text) << command;
    EXPECT_LE(QString::fromStdString(text).toUcs4().size(), kMostErrorChars) << command;
}

TEST(BadInput, FilesThatAreNotReadableVideosAreRefused) {
    const std::string text_file = temp_path("notes.avi");
    std::ofstream(text_file) << "これはビデオではありません\n";
    const std::string empty_file = temp_path("empty.avi");
    std::ofstream{empty_file};
    const std::string fifo = temp_path("pipe.avi");
    mkfifo(fifo.c_str(), 0600);
    const std::string device = temp_path("zero.avi");
    std::filesystem::create_symlink("/dev/zero", device);
    // Over the system's limits: a name of 300 bytes, and a path of more than 4096 bytes
    // through folders that exist.
    std::string deep = temp_path("");
    while (deep.size() < 5000) deep += "./";
    const std::string clip = mjpeg_clip();
    const struct {
        std::string command;
        int code;
        std::string shown;  // the particulars the text ends with, when they are checked
    } cases[] = {
        {percent_encoded(temp_path("missing.avi")), kFileNotFound, temp_path("missing.avi")},
        {"", kFileNotFound, ""},
        {percent_encoded(empty_file), kEmptyFile, empty_file},
        // The library's own words stay out of the message.
        {percent_encoded(text_file), kNotVideoFile, text_file},
        {percent_encoded(temp_path("")), kNotRegularFile, ""},  // a folder
        {percent_encoded(fifo), kNotRegularFile, fifo},
        {percent_encoded(device), kNotRegularFile, device},
        {percent_encoded(temp_path(std::string(300, 'a') + ".avi")), kPathTooLong, ""},
        {percent_encoded(deep + "clip.avi"), kPathTooLong, ""},
        // A NUL would cut the path short and open another file.
        {percent_encoded(clip) + "%00junk", kBadPath, ""},
        {"\"" + clip + std::string(1, '\0') + "junk\"", kBadPath, ""},
        {percent_encoded(audio_only_clip("audio_only.avi")), kNoVideoStream, ""},
        {percent_encoded(altered_copy(clip, "unknown_codec.avi", "MJPG", "QZQZ")),
         kUnsupportedCodec, "QZQZ"},
        {percent_encoded(altered_copy(clip, "header_only.avi", "", "", 300)), kNotVideoFile, ""},
    };
    ServiceDriver d;
    for (const auto& c : cases) {
        const std::string command = "open " + c.command + " alias v";
        expect_failure(d, command, c.code);
        if (!c.shown.empty()) {
            EXPECT_EQ(d.service.error_text(c.code), media_error_text(c.code, c.shown));
        }
        // Nothing was left open by the failure.
        expect_failure(d, "close v", kNothingOpen);
    }
    // The program names a missing file by an empty path: the text says only that it is missing.
    expect_failure(d, "open  alias v", kFileNotFound);
    EXPECT_EQ(d.service.error_text(kFileNotFound), media_error_text(kFileNotFound));
}

// A long path is shortened in the middle: the text still fits and names the file.
TEST(BadInput, ParticularsAreShortenedToFitTheReplyBuffer) {
    const struct {
        std::string particulars;
        bool shortened;
    } cases[] = {
        {"/tmp/clip.avi", false},
        {std::string("/").append(400, 'x').append("/clip.avi"), true},
        {std::string("/").append(QString(300, QChar(0x30D3)).toStdString()).append("/ビデオ.avi"),
         true},
        {std::string("a\tb\x01c"), false},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromStdString(media_error_text(kFileNotFound, c.particulars));
        EXPECT_LE(text.toUcs4().size(), kMostErrorChars) << c.particulars;
        EXPECT_EQ(text.contains(QChar(0x2026)), c.shortened) << c.particulars;
        EXPECT_TRUE(text.startsWith(QString::fromStdString(media_error_text(kFileNotFound))));
        EXPECT_FALSE(text.contains(QChar(u'\t')) || text.contains(QChar(1))) << c.particulars;
        if (c.shortened) {
            EXPECT_TRUE(text.endsWith(".avi）")) << c.particulars;
        }
    }
}

TEST(BadInput, TruncatedClipOffersOnlyTheFramesThatAreThere) {
    const auto full_size = static_cast<long>(std::filesystem::file_size(mjpeg_clip()));
    const std::string cut = altered_copy(mjpeg_clip(), "truncated.avi", "", "", full_size * 6 / 10);
    ServiceDriver d;
    d.must("open " + percent_encoded(cut) + " alias v");
    const int length = d.length();
    EXPECT_GT(length, 20);
    EXPECT_LT(length, 60);
    d.must("seek v to 1000");
    EXPECT_EQ(d.position(), length - 1);
    EXPECT_EQ(d.held_number(), length - 1);
    d.must("step v");
    EXPECT_EQ(d.position(), length - 1);
    d.must("step v reverse");
    EXPECT_EQ(d.held_number(), length - 2);
}

TEST(BadInput, CommandsThatCannotBeCarriedOut) {
    ServiceDriver d;
    const std::string clip = percent_encoded(mjpeg_clip());
    expect_failure(d, "close avfile", kNothingOpen);
    expect_failure(d, "status v position", kNothingOpen);
    expect_failure(d, "step v", kNothingOpen);
    d.must("open " + clip + " alias v");
    const struct {
        const char* command;
        int code;
    } cases[] = {
        {"", kUnknownCommand},
        {"rewind v", kUnknownCommand},
        {"status w position", kUnknownAlias},
        {"status v", kMissingWord},
        {"status v colour", kUnknownWord},
        {"where v target", kUnknownWord},
        {"seek v to x12", kBadNumber},
        {"seek v to 1.5", kBadNumber},
        {"seek v", kMissingWord},
        {"put v destination at 0 0 320", kMissingWord},
        {"put v destination at 0 0 -1 240", kBadNumber},
        {"put v destination at 0 0 320 99999", kBadNumber},
        {"update v hdc abc", kBadNumber},
        {"update v hdc 987654321", kBadSurface},
        {"update v hdc 1 half", kUnknownWord},
        {"status v time x", kBadNumber},
        {"status v time 60", kNoSuchFrame},
        {"status v frame", kUnknownWord},
        {"step v backwards", kUnknownWord},
        {"play v fullscreen", kUnknownWord},
        {"open /tmp/x.avi", kMissingWord},
        {"open /tmp/x.avi alias", kMissingWord},
        {"open /tmp/x.avi alias w style popup", kUnknownWord},
        {"open /tmp/x.avi alias w style child parent 12x", kBadNumber},
        {"open /tmp/x.avi alias w style child parent 987654321", kBadWindow},
    };
    for (const auto& c : cases) expect_failure(d, c.command, c.code);
    expect_failure(d, "open " + clip + " alias V", kAliasInUse);
    // The clip is untouched by all of that.
    EXPECT_EQ(d.position(), 0);
    EXPECT_EQ(d.length(), 60);
}

TEST(BadInput, ClipLongerThanSixteenBitsReportsItsTrueLength) {
    ClipFormat clip_format;
    clip_format.width = 32;
    clip_format.height = 32;
    clip_format.frames = 40000;
    clip_format.distinct_frames = 1;
    ServiceDriver d;
    d.must("open " + percent_encoded(numbered_clip(clip_format, "long.avi")) + " alias v");
    EXPECT_EQ(d.length(), 40000);
    d.must("seek v to 39999");
    EXPECT_EQ(d.position(), 39999);
}

TEST(Paths, BlanksPercentSignsAndJapaneseNamesOpen) {
    const std::string source = mjpeg_clip();
    std::filesystem::create_directories(temp_path("フォルダ 1"));
    const std::string names[] = {"a clip with blanks.avi", "100% 動き.avi",
                                 "フォルダ 1/ボール投げ.avi", "semi;colon&'quote'.avi"};
    for (const std::string& name : names) {
        const std::string path = temp_path(name);
        std::filesystem::copy_file(source, path, std::filesystem::copy_options::overwrite_existing);
        ServiceDriver d;
        d.must("open " + percent_encoded(path) + " alias v");
        EXPECT_EQ(d.length(), 60) << name;
        d.must("close v");
        d.must("open \"" + path + "\" alias v");  // a quoted plain path, as typed into mediactl
    }
}

}  // namespace
