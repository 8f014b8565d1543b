#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "mediaservice/media_errors.h"
#include "mediaservice/video_widget.h"
#include "platform/drawing_surface.h"
#include "tests/mediaservice/service_driver.h"
#include "tests/mediaservice/test_clips.h"
#include "tools/frame_pattern.h"

namespace {

// A surface that is no picture box and has a border of its own, so that the service can only
// place and paint right by asking the surface.
class FramedSurface : public QWidget, public DrawingSurface {
  public:
    FramedSurface() : image(186, 142, QImage::Format_RGB32) {
        resize(200, 160);
        image.fill(Qt::white);
    }
    QRect drawing_area() const override { return rect().adjusted(7, 9, -7, -9); }
    void take_frame(const QImage& picture, int x_px, int y_px) override {
        QPainter(&image).drawImage(x_px, y_px, picture);
    }
    QImage image;
};

std::unique_ptr<QWidget> picture_box() {
    auto box = std::make_unique<PictureBox>();
    box->set_outer_size(320, 240);
    return box;
}

// The handle a window's owner passes to "update ... hdc".
Handle surface_handle(QWidget* window) {
    if (auto* box = qobject_cast<PictureBox*>(window)) return box->hDC();
    return register_handle(window);
}

QImage persistent_image(QWidget* window) {
    if (auto* box = qobject_cast<PictureBox*>(window)) return box->image();
    return dynamic_cast<FramedSurface&>(*window).image;
}

TEST(DrawingSurface, ChildWindowAndPaintingFollowWhatTheTargetIs) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
        bool deleted;  // the window is gone before the service hears of it
        QRect child;   // the child window for the destination (10, 20, 100, 80)
        int update_code;
    };
    const Case cases[] = {
        {"picture box", picture_box, false, QRect(12, 22, 100, 80), kMediaOk},
        {"other surface", [] { return std::make_unique<FramedSurface>(); }, false,
         QRect(17, 29, 100, 80), kMediaOk},
        {"plain widget", [] { return std::make_unique<QWidget>(); }, false, QRect(10, 20, 100, 80),
         kBadSurface},
        {"deleted picture box", picture_box, true, QRect(), kBadSurface},
    };
    const std::string clip = percent_encoded(small_clip(20, "surface.avi"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ServiceDriver d;
        auto window = c.make();
        const std::string parent = std::to_string(window_handle(window.get()));
        const std::string hdc = std::to_string(surface_handle(window.get()));
        if (c.deleted) window.reset();
        const std::string open = "open " + clip + " alias v style child parent " + parent;
        if (c.deleted) {
            EXPECT_EQ(d.send(open), kBadWindow);
            d.must("open " + clip + " alias v");
        } else {
            d.must(open);
        }
        d.must("seek v to 12");
        d.must("put v destination at 10 20 100 80");
        if (window) {
            auto* video = window->findChild<VideoWidget*>();
            ASSERT_NE(video, nullptr);
            EXPECT_EQ(video->geometry(), c.child);
            EXPECT_EQ(read_frame_number(video->picture()), 12);
        }
        std::string reply;
        EXPECT_EQ(d.send("update v hdc " + hdc, &reply), c.update_code) << reply;
        if (c.update_code == kMediaOk) {
            const QImage painted = persistent_image(window.get());
            EXPECT_EQ(read_frame_number(painted.copy(10, 20, 100, 80)), 12);
            EXPECT_EQ(painted.pixel(5, 5), 0xFFFFFFFFu) << "outside the destination untouched";
        }
    }
}

}  // namespace
