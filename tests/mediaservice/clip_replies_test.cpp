#include <gtest/gtest.h>

#include <cmath>

#include "mediaservice/display_transform.h"
#include "mediaservice/media_errors.h"
#include "mediaservice/picture_fit.h"
#include "mediaservice/video_widget.h"
#include "tests/mediaservice/service_driver.h"
#include "tests/mediaservice/test_clips.h"
#include "tools/frame_pattern.h"

namespace {

ClipFormat kind(const std::string& name) {
    for (const ClipKind& k : clip_kinds())
        if (name == k.name) return k.format;
    ClipFormat avi;  // 320 x 240 MJPEG at 30 fps
    avi.frames = 40;
    if (name == "avi_ntsc") {
        avi.rate_num = 30000;
        avi.rate_den = 1001;
    }
    return avi;
}

// Seconds from frame 0 to frame `frame` as the clip was written.
double written_time(const ClipFormat& f, int frame) {
    if (f.durations.empty()) return double(frame) * f.rate_den / f.rate_num;
    std::int64_t ticks = 0;
    for (int k = 0; k < frame; ++k) ticks += f.durations[k % f.durations.size()];
    return double(ticks) / f.timescale;
}

std::string open_kind(ServiceDriver& d, const std::string& name) {
    const ClipFormat f = kind(name);
    const std::string path = numbered_clip(f, "replies_" + name + "." + f.container);
    d.must("open " + percent_encoded(path) + " alias v");
    return path;
}

std::string reply(ServiceDriver& d, const std::string& command) {
    std::string text;
    EXPECT_EQ(d.send(command, &text), 0) << command << ": " << text;
    return text;
}

// What the service reports of a clip's timing, turn and shape, against how it was written:
// every frame's time, the nominal interval, whether the rate varies, the capture rate.
TEST(ClipReplies, TimingTurnAndShapeAreTheClipsOwn) {
    const struct {
        const char* kind;
        const char* interval;
        const char* variable;
        const char* capture;
        const char* rotation;
        const char* source;
    } rows[] = {
        {"avi", "1/30", "false", "0", "0", "0 0 320 240"},
        {"avi_ntsc", "1001/30000", "false", "0", "0", "0 0 320 240"},
        {"h264_mp4_variable_rate", "1/30", "true", "0", "0", "0 0 192 108"},
        {"h264_mkv_variable_rate_bframes", "1/60", "true", "0", "0", "0 0 192 108"},
        {"h264_mkv", "1/30", "false", "0", "0", "0 0 192 108"},
        {"h264_mp4_240fps_capture_tag", "1/240", "false", "240", "0", "0 0 192 108"},
        {"h264_mp4_trimmed", "1/30", "false", "0", "0", "0 0 192 108"},
        {"h264_mp4_portrait", "1/30", "false", "0", "90", "0 0 108 192"},
        {"hevc_mov_upside_down", "1/30", "false", "0", "180", "0 0 192 108"},
        {"h264_mov_270_mirrored", "1/30", "false", "0", "270 mirrored", "0 0 108 192"},
        {"mpeg4_mkv_anamorphic", "1/30", "false", "0", "0", "0 0 192 108"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        if (std::string(row.kind).rfind("avi", 0) != 0 && kind(row.kind).container == "avi")
            continue;  // an encoder this FFmpeg lacks
        ServiceDriver d;
        const std::string path = open_kind(d, row.kind);
        EXPECT_EQ(reply(d, "status v frame interval"), row.interval);
        EXPECT_EQ(reply(d, "status v variable rate"), row.variable);
        EXPECT_EQ(reply(d, "status v capture rate"), row.capture);
        EXPECT_EQ(reply(d, "status v rotation"), row.rotation);
        EXPECT_EQ(reply(d, "where v source"), row.source);
        // Matroska keeps times in whole milliseconds.
        const ClipFormat f = kind(row.kind);
        const double rounding = f.container == "mkv" ? 0.0005 : 1e-9;
        for (int frame = 0; frame < d.length(); ++frame) {
            const std::string time = reply(d, "status v time " + std::to_string(frame));
            ASSERT_NEAR(std::stod(time), written_time(f, frame), rounding + 1e-9) << frame;
            ASSERT_EQ(time.find_first_not_of("0123456789."), std::string::npos) << time;
        }
        std::string text;
        EXPECT_EQ(d.send("status v time " + std::to_string(d.length()), &text), kNoSuchFrame);
        EXPECT_EQ(d.send("status v time -1", &text), kNoSuchFrame);
    }
}

// The picture shows upright at its own shape, as large as fits, with black bars: in the child
// window, on the canvas, and at its displayed size with "full".
TEST(ClipReplies, PicturesShowUprightAtTheirShapeWithBlackBars) {
    const struct {
        const char* kind;
        QRect shown;  // in a 320 x 240 area
    } rows[] = {
        {"avi", {0, 0, 320, 240}},
        {"h264_mkv", {0, 30, 320, 180}},
        {"mpeg4_mkv_anamorphic", {0, 30, 320, 180}},
        {"h264_mp4_portrait", {92, 0, 135, 240}},
        {"h264_mov_270_mirrored", {92, 0, 135, 240}},
        {"hevc_mov_trimmed_portrait", {92, 0, 135, 240}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        ServiceDriver d;
        PictureBox area;
        area.set_outer_size(324, 244);
        const ClipFormat f = kind(row.kind);
        const std::string path =
            numbered_clip(f, "replies_" + std::string(row.kind) + "." + f.container);
        d.must("open " + percent_encoded(path) + " alias v style child parent " +
               std::to_string(area.hWnd()));
        d.must("put v destination at 0 0 320 240");
        d.must("seek v to 7");
        auto* video = area.findChild<VideoWidget*>();
        ASSERT_NE(video, nullptr);
        EXPECT_EQ(video->picture_rect(), row.shown);
        const QImage window = video->grab().toImage();
        EXPECT_EQ(read_frame_number(window.copy(row.shown)), 7);
        d.canvas->set_outer_size(324, 244);
        d.canvas->cls();
        EXPECT_EQ(reply(d, "update v hdc " + std::to_string(d.canvas->hDC())), "7");
        const QImage canvas = d.canvas->image();
        EXPECT_EQ(read_frame_number(canvas.copy(row.shown)), 7);
        for (const QImage& shown : {window, canvas}) {
            // A pixel of each bar, or the corners of a picture that fills the area.
            const QPoint bars[] = {{row.shown.x() / 2, 120}, {160, row.shown.y() / 2}};
            for (const QPoint& bar : bars)
                if (!row.shown.contains(bar)) {
                    EXPECT_EQ(shown.pixel(bar) & 0xFFFFFF, 0u) << bar.x();
                }
        }
        d.canvas->set_outer_size(404, 404);
        d.canvas->cls();
        EXPECT_EQ(reply(d, "update v hdc " + std::to_string(d.canvas->hDC()) + " full"), "7");
        const QSize displayed = displayed_size(f);
        EXPECT_EQ(read_frame_number(d.canvas->image().copy(QRect(QPoint(0, 0), displayed))), 7);
        EXPECT_EQ(d.canvas->pixel_at(displayed.width(), 0), 0xFFFFFFu) << "nothing past it";
    }
}

TEST(PictureFit, FourByThreeFillsAndOtherShapesFitCentred) {
    const struct {
        int pw, ph, aw, ah;
        PictureRect expected;
    } rows[] = {
        {320, 240, 316, 236, {0, 0, 316, 236}},  // 4:3 fills, whatever the area
        {321, 240, 320, 240, {0, 0, 320, 240}},  // within 1 %
        {330, 240, 320, 240, {0, 3, 320, 233}},  // 3 % wider: bars
        {1920, 1080, 320, 240, {0, 30, 320, 180}},
        {1080, 1920, 320, 240, {92, 0, 135, 240}},
        {100, 1, 320, 240, {0, 118, 320, 3}},
        {1, 10000, 320, 240, {159, 0, 1, 240}},  // never narrower than a pixel
        {0, 0, 320, 240, {0, 0, 320, 240}},
        {1920, 1080, 0, 240, {0, 0, 0, 240}},
    };
    for (const auto& r : rows) {
        const PictureRect got = fit_picture(r.pw, r.ph, r.aw, r.ah);
        EXPECT_TRUE(got.x == r.expected.x && got.y == r.expected.y &&
                    got.width == r.expected.width && got.height == r.expected.height)
            << r.pw << "x" << r.ph << " in " << r.aw << "x" << r.ah << ": " << got.x << " " << got.y
            << " " << got.width << " " << got.height;
    }
}

// A display matrix that is no quarter turn (a damaged one, or 45 degrees) shows the picture as
// stored; a scaled one still turns.
TEST(DisplayMatrix, OnlyQuarterTurnsAndFlipsAreApplied) {
    const double r = 65536 * std::sqrt(0.5);
    const struct {
        std::int32_t m[9];
        int degrees;
        bool mirrored;
    } rows[] = {
        {{0, 65536, 0, -65536, 0, 0, 0, 0, 1 << 30}, 90, false},
        {{0, 2 * 65536, 0, -2 * 65536, 0, 0, 0, 0, 1 << 30}, 90, false},
        {{-65536, 0, 0, 0, 65536, 0, 0, 0, 1 << 30}, 0, true},
        {{65536, 0, 0, 0, -65536, 0, 0, 0, 1 << 30}, 180, true},
        {{std::int32_t(r), std::int32_t(r), 0, std::int32_t(-r), std::int32_t(r), 0, 0, 0, 1 << 30},
         0,
         false},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, false},
        {{INT32_MIN, INT32_MAX, 0, INT32_MAX, INT32_MIN, 0, 0, 0, 0}, 0, false},
    };
    for (const auto& row : rows) {
        const DisplayTransform t = DisplayTransform::from_matrix(row.m);
        EXPECT_EQ(t.degrees(), row.degrees) << row.m[0] << " " << row.m[1];
        EXPECT_EQ(t.mirrored, row.mirrored) << row.m[0] << " " << row.m[1];
    }
}

// The sample aspect ratio widens or narrows the picture; a damaged header's ratio, however
// large its terms, leaves the stored width.
TEST(DisplayShape, SampleAspectRatioSetsTheWidth) {
    const struct {
        int sar_num, sar_den, width;
    } rows[] = {
        {4, 3, 2560},
        {1, 2, 960},
        {2060785639, 2060785638, 1920},  // near 1, terms near the int's end
        {1, 100, 1920},                  // beyond 16:1
        {0, 0, 1920},
    };
    for (const auto& r : rows)
        EXPECT_EQ(displayed_size(QSize(1920, 1080), r.sar_num, r.sar_den, DisplayTransform{}),
                  QSize(r.width, 1080))
            << r.sar_num << ":" << r.sar_den;
}

}  // namespace
