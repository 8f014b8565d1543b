// The position bar dragged with the mouse over a real clip in the real video service.
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "mediaservice/ffmpeg_media_service.h"
#include "mediaservice/video_widget.h"
#include "tests/support/form1_fixture.h"
#include "tools/clip_writer.h"
#include "tools/frame_pattern.h"

namespace {

constexpr int kFrames = 90;

ClipFormat small_clip() {
    ClipFormat format;
    format.width = 160;
    format.height = 120;
    format.frames = kFrames;
    return format;
}

class PositionBarTest : public Form1Test {
  protected:
    explicit PositionBarTest(ClipFormat format = small_clip()) {
        set_video_service(&service);
        const std::string path = dir.filePath(QStringLiteral("bar.avi")).toStdString();
        EXPECT_EQ(write_clip(path, format,
                             [&](int k) { return numbered_frame(k, format.width, format.height); }),
                  "");
        desk.open_answers.push_back(QString::fromStdString(path));
        f->show();
        f->mnuopen_Click();
        QTest::mouseClick(f->Command1, Qt::LeftButton);  // play, which enables the bar
        QTest::mouseClick(f->Command2, Qt::LeftButton);  // pause
        f->Timer1->stop();                               // the test ticks the position timer itself
    }
    ~PositionBarTest() override { f.reset(); }

    QRect thumb() const {
        QStyleOptionSlider opt;
        opt.initFrom(bar());
        opt.subControls = QStyle::SC_All;
        opt.orientation = Qt::Horizontal;
        opt.state |= QStyle::State_Horizontal;
        opt.minimum = bar()->minimum();
        opt.maximum = bar()->maximum();
        opt.sliderPosition = bar()->sliderPosition();
        opt.sliderValue = bar()->value();
        opt.singleStep = bar()->singleStep();
        opt.pageStep = bar()->pageStep();
        return bar()->style()->subControlRect(QStyle::CC_ScrollBar, &opt,
                                              QStyle::SC_ScrollBarSlider, bar());
    }
    QScrollBar* bar() const { return f->HScroll1; }
    std::string service_position() {
        std::string reply;
        service.send("status avfile position", reply);
        return reply;
    }
    int shown_frame() const {
        const auto* video = f->Picture1->findChild<VideoWidget*>();
        return video ? read_frame_number(video->picture()) : -1;
    }

    FfmpegMediaService service;
};

// A drag in one movement and in many small ones: the clip, the frame label and the thumb all
// end where the mouse let go of the thumb, and the position timer keeps them there.
TEST_F(PositionBarTest, DragSeeksToWhereTheThumbIsReleased) {
    ASSERT_EQ(bar()->maximum(), kFrames);
    const struct {
        const char* name;
        int pixels;  // to the right from the thumb's place at the start
        int moves;
    } drags[] = {{"one movement", 60, 1}, {"many movements", 50, 10}, {"back", -40, 4}};
    for (const auto& d : drags) {
        SCOPED_TRACE(d.name);
        const QPoint grip = thumb().center();
        const int left_before = thumb().left();
        QTest::mousePress(bar(), Qt::LeftButton, {}, grip);
        for (int k = 1; k <= d.moves; ++k)
            QTest::mouseMove(bar(), grip + QPoint(d.pixels * k / d.moves, 0));
        QTest::mouseRelease(bar(), Qt::LeftButton, {}, grip + QPoint(d.pixels, 0));

        const int at = bar()->value();
        EXPECT_NE(at, 0);
        // The thumb sits under the mouse: moved by the drag's distance, give or take the pixel
        // that one frame rounds to.
        EXPECT_NEAR(thumb().left() - left_before, d.pixels, 2);
        for (int tick = 0; tick < 2; ++tick) {
            f->Timer1_Timer();
            EXPECT_EQ(service_position(), std::to_string(at));
            EXPECT_EQ(shown_frame(), at);
            EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム\n\r    ") + QString::number(at));
            EXPECT_EQ(bar()->value(), at);
        }
    }
}

// A clip larger than the window, with open keyframe groups: the thumb dragged to the end, then
// コマ戻し clicked back across two keyframes. The pictures of the frames a step back decodes on
// its way are made ahead, in the background; each click must still show its own frame.
// Frames from 640 x 360 up go to the copying thread; smaller ones are copied where they are
// decoded. Either way the pictures of the frames on the way are made ahead.
class ClipSteps : public PositionBarTest, public ::testing::WithParamInterface<QSize> {
  protected:
    static ClipFormat clip() {
        ClipFormat format;
        format.encoder = "mpeg4";
        format.width = GetParam().width();
        format.height = GetParam().height();
        format.frames = 40;
        format.b_frames = 2;
        format.gop = 12;
        return format;
    }
    ClipSteps() : PositionBarTest(clip()) {}
};

TEST_P(ClipSteps, StepsBackShowTheirOwnFrame) {
    const QPoint grip = thumb().center();
    QTest::mousePress(bar(), Qt::LeftButton, {}, grip);
    QTest::mouseMove(bar(), QPoint(bar()->width() - 1, grip.y()));
    QTest::mouseRelease(bar(), Qt::LeftButton, {}, QPoint(bar()->width() - 1, grip.y()));
    int at = std::stoi(service_position());
    ASSERT_GT(at, 30);
    for (int click = 0; click < 26; ++click) {
        QTest::mouseClick(f->Command4, Qt::LeftButton);
        const int now = std::stoi(service_position());
        ASSERT_LT(now, at) << "click " << click;
        at = now;
        ASSERT_EQ(shown_frame(), at);
    }
}

INSTANTIATE_TEST_SUITE_P(WideAndSmall, ClipSteps,
                         ::testing::Values(QSize(640, 360), QSize(320, 240)));

}  // namespace
