#include <gtest/gtest.h>

#include <QCoreApplication>
#include <map>
#include <random>

#include "mediaservice/clip_session.h"
#include "mediaservice/picture_fit.h"
#include "mediaservice/video_widget.h"
#include "tests/mediaservice/service_driver.h"
#include "tests/mediaservice/test_clips.h"
#include "tools/frame_pattern.h"

namespace {

struct Case {
    const char* name;
    ClipFormat clip_format;
};

ClipFormat clip_format(const char* encoder, int w, int h, int num, int den, int frames, int b,
                       int gop) {
    ClipFormat s;
    s.encoder = encoder;
    s.width = w;
    s.height = h;
    s.rate_num = num;
    s.rate_den = den;
    s.frames = frames;
    s.b_frames = b;
    s.gop = gop;
    return s;
}

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::vector<Case> cases() {
    ClipFormat raw = clip_format("rawvideo", 160, 120, 15, 1, 40, 0, 1);
    raw.bottom_up_raw = true;
    std::vector<Case> all = {
        {"mjpeg", clip_format("mjpeg", 320, 240, 30, 1, 60, 0, 1)},
        {"raw_bottom_up", raw},
        {"huffyuv", clip_format("huffyuv", 160, 120, 30, 1, 30, 0, 1)},
        {"mpeg4_bframes", clip_format("mpeg4", 320, 240, 30000, 1001, 90, 2, 12)},
        // Every frame a keyframe, yet the decoder holds one back: B-frames were allowed.
        {"mpeg4_intra_delayed", clip_format("mpeg4", 320, 240, 30, 1, 60, 2, 1)},
        // Ends just after a keyframe, so the last frames come out only when the input ends.
        {"mpeg4_short_tail", clip_format("mpeg4", 160, 120, 30, 1, 37, 2, 12)},
        {"mjpeg_1080p", clip_format("mjpeg", 1920, 1080, 30, 1, 6, 0, 1)},
    };
    if (have_encoder("libx264")) {
        all.push_back({"h264_bframes", clip_format("libx264", 320, 240, 30, 1, 90, 2, 30)});
        ClipFormat open_gop = clip_format("libx264", 160, 120, 30, 1, 62, 3, 15);
        open_gop.open_gop = true;
        all.push_back({"h264_open_gop", open_gop});
        // Presentation times that are no shifted copy of the decode times: only the
        // composition offsets number these frames right.
        ClipFormat variable_b = clip_format("libx264", 192, 108, 30, 1, 40, 2, 12);
        variable_b.container = "mp4";
        variable_b.durations = {3000, 1500, 4500, 3000, 1000};
        all.push_back({"h264_mp4_variable_rate_bframes", variable_b});
    }
    if (have_encoder("dvvideo"))
        all.push_back({"dv", clip_format("dvvideo", 720, 480, 30000, 1001, 12, 0, 1)});
    // What phones and cameras write: containers with presentation times, turned and trimmed
    // clips, variable rates, sound, non-square pixels.
    for (const ClipKind& kind : clip_kinds()) all.push_back({kind.name, kind.format});
    return all;
}

class FrameAccuracy : public ::testing::TestWithParam<Case> {
  protected:
    void SetUp() override {
        const ClipFormat& format = GetParam().clip_format;
        const std::string path =
            numbered_clip(format, std::string(GetParam().name) + "." + format.container);
        d.must("open " + percent_encoded(path) + " alias v");
    }
    // Position, the frame held and the frame painted all name the same frame.
    void expect_agree(int expected, const std::string& after) {
        EXPECT_EQ(d.position(), expected) << after;
        EXPECT_EQ(d.held_number(), expected) << after;
    }
    ServiceDriver d;
};

TEST_P(FrameAccuracy, StepsThroughTheWholeClipBothWays) {
    const int length = d.length();
    EXPECT_EQ(length, GetParam().clip_format.frames);
    expect_agree(0, "open");
    EXPECT_EQ(d.painted_number(), 0);
    for (int k = 1; k < length; ++k) {
        d.must("step v");
        expect_agree(k, "step to " + std::to_string(k));
    }
    d.must("step v");  // at the end nothing moves
    expect_agree(length - 1, "step past the end");
    EXPECT_EQ(d.painted_number(), length - 1);
    for (int k = length - 2; k >= 0; --k) {
        d.must("step v reverse");
        expect_agree(k, "step back to " + std::to_string(k));
    }
    d.must("step v reverse");
    expect_agree(0, "step back before the start");
}

TEST_P(FrameAccuracy, SeeksLandOnEveryFrame) {
    const int length = d.length();
    for (int k = 0; k < length; ++k) {
        // From the far side of the clip, so that the frame is not at hand already.
        d.must("seek v to " + std::to_string((k + length / 2) % length));
        d.must("seek v to " + std::to_string(k));
        expect_agree(k, "seek to " + std::to_string(k));
    }
}

TEST_P(FrameAccuracy, RandomWalkOfSeeksStepsAndPlay) {
    const int length = d.length();
    std::mt19937 random(12345);
    int expected = 0;
    for (int move = 0; move < 60; ++move) {
        const int kind = random() % 10;
        std::string what;
        if (kind < 3) {
            const int target = static_cast<int>(random() % (length + 10)) - 5;
            what = "seek v to " + std::string(target < 0 ? "" : " ") + std::to_string(target);
            d.must(what);
            expected = std::clamp(target, 0, length - 1);
        } else if (kind < 6) {
            what = "step v";
            d.must(what);
            expected = std::min(expected + 1, length - 1);
        } else if (kind < 9) {
            what = "step v reverse";
            d.must(what);
            expected = std::max(expected - 1, 0);
        } else {
            what = "play";
            d.play_for(3);
            expected = d.position();
            ASSERT_EQ(d.send("stop v"), 0);
        }
        expect_agree(expected, what + " (move " + std::to_string(move) + ")");
        if (move % 5 == 0) {
            EXPECT_EQ(d.painted_number(), expected) << what;
        }
    }
}

TEST_P(FrameAccuracy, PlayRunsToTheLastFrameAndStops) {
    d.must("seek v to  " + std::to_string(std::max(0, d.length() - 8)));
    d.play_for(1000);
    expect_agree(d.length() - 1, "play to the end");
    EXPECT_EQ(d.painted_number(), d.length() - 1);
}

TEST_P(FrameAccuracy, PlaysOnSeveralThreadsThenStepsExactlyOverTheNextKeyframe) {
    const int length = d.length();
    d.must("seek v to " + std::to_string(length / 3));
    const ClipSession* clip = d.service.session("v");
    const int opens_before = clip->decoder().decoder_opens();
    d.must("play v window");
    int most_threads = clip->decoder().threads();
    while (d.position() < std::min(length / 3 + 16, length - 1) && clip->playing()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        most_threads = std::max(most_threads, clip->decoder().threads());
    }
    d.must("pause v");
    // FFmpeg's frame or slice threads, or for intra-only clips workers of the service's own.
    EXPECT_GT(most_threads, 1);
    const int paused = d.position();
    expect_agree(paused, "pause");
    // Far enough both ways to cross a keyframe of the groups of 12 to 30 frames.
    for (int k = 1; k <= 32; ++k) {
        d.must("step v");
        expect_agree(std::min(paused + k, length - 1), "step " + std::to_string(k));
    }
    const int last = d.position();
    for (int k = 1; k <= 64; ++k) {
        d.must("step v reverse");
        expect_agree(std::max(last - k, 0), "step back " + std::to_string(k));
    }
    EXPECT_EQ(d.painted_number(), d.position());
    d.must("seek v to 0");
    EXPECT_EQ(clip->decoder().threads(), 1);
    // Once for playing and once back for stepping, not at every keyframe.
    EXPECT_LE(clip->decoder().decoder_opens() - opens_before, 2);
}

INSTANTIATE_TEST_SUITE_P(Codecs, FrameAccuracy, ::testing::ValuesIn(cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace

namespace {

TEST(DroppedFrames, EmptyChunksCountAsFramesShowingTheOneBefore) {
    ClipFormat clip_format;
    clip_format.width = 160;
    clip_format.height = 120;
    clip_format.frames = 30;
    clip_format.dropped = {5, 6, 20, 29};
    ServiceDriver d;
    d.must("open " + percent_encoded(numbered_clip(clip_format, "dropped.avi")) + " alias v");
    // The last frame was dropped too, so the timeline ends at the last one written.
    EXPECT_EQ(d.length(), 29);
    const std::map<int, int> shown = {{4, 4}, {5, 4}, {6, 4}, {7, 7}, {20, 19}, {21, 21}, {28, 28}};
    for (const auto& [frame, picture] : shown) {
        d.must("seek v to " + std::to_string(frame));
        EXPECT_EQ(d.position(), frame);
        EXPECT_EQ(d.held_number(), picture) << frame;
    }
    d.must("seek v to 3");
    for (int frame = 4; frame <= 8; ++frame) {
        d.must("step v");
        EXPECT_EQ(d.position(), frame);
        EXPECT_EQ(d.held_number(), clip_format.dropped.count(frame) ? 4 : frame);
    }
}

}  // namespace

namespace {

TEST(LongGroups, StepsBackThroughAWholeGroupDecodeItOnce) {
    // One keyframe for the whole clip: every frame a step back misses has to be decoded again
    // from the start, so a cache that keeps only a few dozen frames decodes the clip over and
    // over on the way back.
    const ClipFormat long_group = clip_format("mpeg4", 160, 120, 30, 1, 200, 2, 300);
    ServiceDriver d;
    d.must("open " + percent_encoded(numbered_clip(long_group, "long_group.avi")) + " alias v");
    d.must("seek v to end");
    const ClipDecoder& decoder = d.service.session("v")->decoder();
    const long decoded_before = decoder.frames_decoded();
    for (int frame = d.length() - 2; frame >= 0; --frame) {
        d.must("step v reverse");
        ASSERT_EQ(d.position(), frame);
        ASSERT_EQ(d.held_number(), frame);
    }
    EXPECT_LE(decoder.frames_decoded() - decoded_before, d.length());
}

}  // namespace

namespace {

// In a child window smaller than the frames, the pictures of the frames a step back decodes on
// its way are made ahead, in the background: each step back must still show its own frame, at
// the window's size, also after the window changed size.
TEST(ChildWindow, StepsBackShowTheirOwnFrameAtTheWindowsSize) {
    // Frames from 640 x 360 up are handed to the copying thread; smaller ones are copied where
    // they are decoded. Either way their pictures are made ahead on the copying thread.
    for (const QSize clip : {QSize(640, 360), QSize(320, 240)}) {
        const ClipFormat open_groups =
            clip_format("mpeg4", clip.width(), clip.height(), 30, 1, 40, 2, 12);
        ServiceDriver d;
        PictureBox area;
        area.set_outer_size(324, 244);
        d.must("open " +
               percent_encoded(numbered_clip(
                   open_groups, "child_steps_" + std::to_string(clip.width()) + ".avi")) +
               " alias v style child parent " + std::to_string(area.hWnd()));
        auto* video = area.findChild<VideoWidget*>();
        ASSERT_NE(video, nullptr);
        d.must("seek v to end");
        for (const QSize size : {QSize(320, 240), QSize(160, 120)}) {
            d.must("put v destination at 0 0 " + std::to_string(size.width()) + " " +
                   std::to_string(size.height()));
            for (int k = 0; k < 20; ++k) {
                d.must("step v reverse");
                const int frame = d.position();
                ASSERT_EQ(read_frame_number(video->picture()), frame) << clip.width();
                // At its own shape, as large as fits: 16:9 in a 4:3 window has bars.
                const PictureRect fit =
                    fit_picture(clip.width(), clip.height(), size.width(), size.height());
                ASSERT_EQ(video->picture().size(), QSize(fit.width, fit.height)) << frame;
            }
        }
        // Forward again over frames whose pictures were kept when they were shown.
        for (int k = 0; k < 12; ++k) {
            d.must("step v");
            ASSERT_EQ(read_frame_number(video->picture()), d.position()) << clip.width();
        }
    }
}

}  // namespace
