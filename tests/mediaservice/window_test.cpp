#include <gtest/gtest.h>
#include <sys/resource.h>

#include "mediaservice/clip_session.h"
#include "mediaservice/media_errors.h"
#include "mediaservice/video_widget.h"
#include "tests/mediaservice/service_driver.h"
#include "tests/mediaservice/test_clips.h"
#include "tools/frame_pattern.h"

namespace {

std::string clip() { return percent_encoded(small_clip(20, "window.avi")); }

TEST(ChildWindow, SitsInThePictureBoxDrawingAreaAndFollowsTheFrame) {
    ServiceDriver d;
    PictureBox area;
    area.set_outer_size(320, 240);
    d.must("open " + clip() + " alias v style child parent " + std::to_string(area.hWnd()));
    auto* video = area.findChild<VideoWidget*>();
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->geometry(), QRect(PictureBox::kBorder, PictureBox::kBorder, 160, 120));
    d.must("put v destination at 0 0  320  240");
    EXPECT_EQ(video->geometry(), QRect(2, 2, 320, 240));
    EXPECT_EQ(video->mask(), QRegion(0, 0, 316, 236)) << "never over the box's border";
    EXPECT_FALSE(video->isHidden());
    d.must("seek v to  7");
    EXPECT_EQ(read_frame_number(video->picture()), 7);
    EXPECT_EQ(video->picture().size(), QSize(320, 240)) << "made at the window's size";
    EXPECT_EQ(read_frame_number(video->grab().toImage()), 7);  // scaled to the window
    d.must("close v");
    EXPECT_EQ(area.findChild<VideoWidget*>(), nullptr);
}

TEST(ChildWindow, PlainParentTakesTheRectangleAsItIs) {
    ServiceDriver d;
    QWidget parent;
    parent.resize(400, 300);
    d.must("open " + clip() + " alias v style child parent " +
           std::to_string(window_handle(&parent)));
    d.must("put v destination at 5 6 100 80");
    auto* video = parent.findChild<VideoWidget*>();
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->geometry(), QRect(5, 6, 100, 80));
}

TEST(ChildWindow, ParentGoingFirstLeavesCloseHarmless) {
    ServiceDriver d;
    auto parent = std::make_unique<QWidget>();
    d.must("open " + clip() + " alias v style child parent " +
           std::to_string(window_handle(parent.get())));
    parent.reset();
    d.must("step v");
    d.must("close v");
}

TEST(Update, PaintsTheScaledFrameAtTheDestinationOnly) {
    ServiceDriver d;
    d.must("open " + clip() + " alias v");
    d.must("seek v to  12");
    d.must("put v destination at 10 20 100 80");
    d.canvas->cls();
    d.must("update v hdc " + std::to_string(d.canvas->hDC()));
    EXPECT_EQ(read_frame_number(d.canvas->image().copy(10, 20, 100, 80)), 12);
    EXPECT_EQ(d.canvas->pixel_at(5, 5), 0xFFFFFFu);  // untouched white
    EXPECT_EQ(d.canvas->pixel_at(115, 105), 0xFFFFFFu);
    QWidget not_a_canvas;
    const Handle other = register_handle(&not_a_canvas);
    std::string reply;
    EXPECT_EQ(d.send("update v hdc " + std::to_string(other), &reply), kBadSurface);
}

// Mean difference of the colour channels of two pictures of one size.
double mean_difference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

TEST(Update, LargeFramesShrinkIntoSmallBoxesLikeTheWholePicture) {
    ClipFormat large;
    large.width = 1920;
    large.height = 1080;
    large.frames = 6;
    ServiceDriver d;
    d.must("open " + percent_encoded(numbered_clip(large, "large.avi")) + " alias v");
    d.must("seek v to 4");
    for (const QSize box : {QSize(320, 240), QSize(160, 120), QSize(96, 64)}) {
        d.canvas->set_outer_size(box.width() + 4, box.height() + 4);
        EXPECT_EQ(d.painted_number(), 4) << box.width();
        const QRect shown = d.picture_on_canvas();
        const QImage expected = d.service.session("v")->picture().scaled(
            shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(mean_difference(d.canvas->image().copy(shown), expected), 6.0) << box.width();
    }
}

// A destination far larger than the surface paints just the part on the surface, as the whole
// picture scaled would show there, without making that whole picture (4 GB at the largest).
TEST(Update, HugeDestinationsMakeOnlyWhatShows) {
    ServiceDriver d;
    PictureBox area;
    area.set_outer_size(320, 240);
    d.must("open " + clip() + " alias v style child parent " + std::to_string(area.hWnd()));
    d.must("seek v to 9");
    const QImage frame = d.service.session("v")->picture();
    const struct {
        QRect destination;
        bool compare;  // small enough to scale whole here for the expected picture
    } cases[] = {{QRect(0, 0, 5000, 5000), true},
                 {QRect(-2000, -1000, 6000, 4000), true},
                 {QRect(-32768, -32768, 32767, 32767), false},  // entirely off the surface
                 {QRect(0, 0, 32767, 32767), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.destination.x());
        const QRect& r = c.destination;
        d.must("put v destination at " + std::to_string(r.x()) + " " + std::to_string(r.y()) + " " +
               std::to_string(r.width()) + " " + std::to_string(r.height()));
        d.canvas->cls();
        d.must("update v hdc " + std::to_string(d.canvas->hDC()));
        EXPECT_EQ(area.findChild<VideoWidget*>()->picture().size(), frame.size());
        if (!c.compare) continue;
        const QImage expected =
            frame.scaled(r.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .copy(QRect(-r.topLeft(), d.canvas->area_size()));
        EXPECT_LT(mean_difference(d.canvas->image(), expected), 6.0);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 2L * 1024 * 1024) << "kilobytes at the peak";
}

}  // namespace
