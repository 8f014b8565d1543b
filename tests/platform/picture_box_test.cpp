#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <functional>
#include <limits>

#include "platform/handles.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kBlue = 0x0000FF, kYellow = 0xFFFF00;

PictureBox* white_box(int w, int h) {
    auto* b = new PictureBox();
    b->set_outer_size(w, h);
    b->set_back_color(Qt::white);
    b->set_scale_pixels();
    return b;
}

TEST(PictureBox, DrawingAreaExcludesTheBorder) {
    std::unique_ptr<PictureBox> b(white_box(320, 240));
    EXPECT_EQ(b->area_size(), QSize(316, 236));
    EXPECT_EQ(b->scale_width(), 316);
}

TEST(PictureBox, XorMarkersShowBlackAndBlueAndVanishWhenDrawnAgain) {
    std::unique_ptr<PictureBox> b(white_box(370, 290));
    const QImage before = b->image();
    b->set_draw_mode(PictureBox::kXorPen);
    b->set_fill_style(PictureBox::kSolid);
    b->set_fill_color(palette_color(pal::kBrightWhite));
    b->circle(100, 253, 3, palette_color(pal::kBrightWhite));
    b->set_fill_color(palette_color(pal::kLightYellow));
    b->circle(332, 50, 3, palette_color(pal::kLightYellow));
    // Every pixel of each disc is touched exactly once: solid colour, no ring of white.
    for (int dy = -3; dy <= 3; ++dy) {
        EXPECT_EQ(b->pixel_at(100, 253 + dy), kBlack) << dy;
        EXPECT_EQ(b->pixel_at(332 + dy, 50), kBlue) << dy;
    }
    EXPECT_EQ(b->pixel_at(104, 253), kWhite);
    b->set_fill_color(palette_color(pal::kBrightWhite));
    b->circle(100, 253, 3, palette_color(pal::kBrightWhite));
    b->set_fill_color(palette_color(pal::kLightYellow));
    b->circle(332, 50, 3, palette_color(pal::kLightYellow));
    EXPECT_EQ(b->image(), before);
}

TEST(PictureBox, DiscOfRadiusThreeHasTheMidpointShape) {
    std::unique_ptr<PictureBox> b(white_box(40, 40));
    b->set_fill_style(PictureBox::kSolid);
    b->set_fill_color(palette_color(pal::kLightYellow));
    b->circle(10, 10, 3, palette_color(pal::kLightYellow));
    int count = 0;
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) count += b->pixel_at(x, y) == kYellow;
    EXPECT_EQ(count, 37);  // rows of 3, 5, 7, 7, 7, 5, 3 pixels
    EXPECT_EQ(b->pixel_at(13, 11), kYellow);
    EXPECT_EQ(b->pixel_at(13, 12), kWhite);
}

TEST(PictureBox, UserScaleMapsToPixels) {
    std::unique_ptr<PictureBox> b(white_box(641, 465));
    b->set_user_scale(0, 0, 637, 461);
    EXPECT_EQ(b->to_pixels(50, 410), QPoint(50, 410));
    std::unique_ptr<PictureBox> half(white_box(322, 234));
    half->set_user_scale(0, 0, 636, 460);
    EXPECT_EQ(half->to_pixels(600, 410), QPoint(300, 205));
}

TEST(PictureBox, LinesLeaveOutTheirEndPointAndDotsAlternate) {
    std::unique_ptr<PictureBox> b(white_box(54, 54));
    b->line(0, 5, 10, 5, Qt::black);
    EXPECT_EQ(b->pixel_at(0, 5), kBlack);
    EXPECT_EQ(b->pixel_at(9, 5), kBlack);
    EXPECT_EQ(b->pixel_at(10, 5), kWhite);
    b->set_draw_style(PictureBox::kDotLine);
    b->line(0, 20, 40, 20, Qt::black);
    int black = 0;
    for (int x = 0; x < 40; ++x) black += b->pixel_at(x, 20) == kBlack;
    EXPECT_GT(black, 10);
    EXPECT_LT(black, 30);
}

// Coordinates far outside the drawing area, or not numbers at all, draw what can be seen of
// the shape and nothing else, without running through every pixel on the way there.
TEST(PictureBox, FarAndUndefinedCoordinates) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Pixel {
        int x, y;
        QRgb rgb;
    };
    struct Case {
        const char* name;
        std::function<void(PictureBox&)> draw;
        std::vector<Pixel> expected;  // empty: nothing changes
    };
    const Case cases[] = {
        {"line to infinity", [&](PictureBox& b) { b.line(10, 10, inf, 10, Qt::black); }, {}},
        {"line to nan", [&](PictureBox& b) { b.line(10, 10, nan, 20, Qt::black); }, {}},
        {"pset at nan", [&](PictureBox& b) { b.pset(nan, 3, Qt::black); }, {}},
        {"circle at infinity", [&](PictureBox& b) { b.circle(inf, 10, 3, Qt::black); }, {}},
        {"far sloping line keeps its slope",
         [](PictureBox& b) { b.line(0, 0, 3e9, 1.5e9, Qt::black); },
         {{20, 10, kBlack}, {40, 20, kBlack}, {20, 20, kWhite}, {10, 20, kWhite}}},
        {"far level line",
         [](PictureBox& b) { b.line(10, 20, 1e12, 20, Qt::black); },
         {{10, 20, kBlack}, {49, 20, kBlack}, {9, 20, kWhite}, {30, 21, kWhite}}},
        {"filled box reaching far",
         [](PictureBox& b) {
             b.set_fill_style(PictureBox::kSolid);
             b.set_fill_color(Qt::blue);
             b.box(5, 5, 1e12, 1e12, Qt::black);
         },
         {{5, 20, kBlack}, {20, 5, kBlack}, {20, 20, kBlue}, {49, 49, kBlue}, {4, 4, kWhite}}},
        {"huge filled disc covers the area",
         [](PictureBox& b) {
             b.set_fill_style(PictureBox::kSolid);
             b.set_fill_color(Qt::blue);
             b.circle(25, 25, 5000, Qt::black);
         },
         {{0, 0, kBlue}, {49, 49, kBlue}, {25, 25, kBlue}}},
        {"a box in a scale that counts upwards is filled",
         [](PictureBox& b) {
             b.set_user_scale(0, 50, 50, 0);
             b.set_fill_style(PictureBox::kSolid);
             b.set_fill_color(Qt::blue);
             b.box(10, 10, 20, 20, Qt::black);
         },
         {{15, 35, kBlue}, {10, 35, kBlack}, {15, 29, kWhite}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<PictureBox> b(white_box(54, 54));
        const QImage before = b->image();
        c.draw(*b);
        if (c.expected.empty()) {
            EXPECT_EQ(b->image(), before);
        }
        for (const Pixel& p : c.expected) {
            EXPECT_EQ(b->pixel_at(p.x, p.y), p.rgb) << p.x << ", " << p.y;
        }
    }
}

// In XOR mode every pixel a shape covers is toggled exactly once, whatever the pen width, so
// the shape shows whole and vanishes when drawn again.
TEST(PictureBox, XorTogglesEachCoveredPixelOnce) {
    struct Case {
        const char* name;
        int width;
        std::function<void(PictureBox&, QColor)> draw;
    };
    const Case cases[] = {
        {"wide line", 3, [](PictureBox& b, QColor c) { b.line(5, 5, 40, 30, c); }},
        {"wide box", 3, [](PictureBox& b, QColor c) { b.box(5, 5, 40, 30, c); }},
        {"box without width", 1, [](PictureBox& b, QColor c) { b.box(10, 10, 10, 30, c); }},
        {"box without height", 1, [](PictureBox& b, QColor c) { b.box(10, 10, 30, 10, c); }},
        {"pen wider than the area", 1 << 24,
         [](PictureBox& b, QColor c) { b.line(10, 10, 12, 10, c); }},
    };
    auto black_pixels = [](const PictureBox& b) {
        int n = 0;
        for (int y = 0; y < b.area_size().height(); ++y)
            for (int x = 0; x < b.area_size().width(); ++x) n += b.pixel_at(x, y) == kBlack;
        return n;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<PictureBox> copy(white_box(54, 54));
        copy->set_draw_width(c.width);
        c.draw(*copy, Qt::black);
        std::unique_ptr<PictureBox> x(white_box(54, 54));
        const QImage before = x->image();
        x->set_draw_mode(PictureBox::kXorPen);
        x->set_draw_width(c.width);
        c.draw(*x, Qt::white);  // white on white gives black
        EXPECT_GT(black_pixels(*copy), 0);
        EXPECT_EQ(x->image(), copy->image());
        c.draw(*x, Qt::white);
        EXPECT_EQ(x->image(), before);
    }
}

TEST(PictureBox, HandlesResolveWhileTheBoxLives) {
    Handle hdc = 0;
    {
        PictureBox b;
        hdc = b.hDC();
        EXPECT_EQ(resolve_handle(hdc), &b);
        EXPECT_NE(b.hWnd(), hdc);
        EXPECT_EQ(resolve_handle(b.hWnd()), &b);
    }
    EXPECT_EQ(resolve_handle(hdc), nullptr);
}

TEST(PictureBox, ClsRestoresTheBackground) {
    std::unique_ptr<PictureBox> b(white_box(20, 20));
    b->pset(3, 3, Qt::red);
    EXPECT_NE(b->pixel_at(3, 3), kWhite);
    b->cls();
    EXPECT_EQ(b->pixel_at(3, 3), kWhite);
}

TEST(PictureBox, ADoubleClickIsOneMouseDown) {
    std::unique_ptr<PictureBox> b(white_box(40, 40));
    std::vector<std::pair<float, float>> downs;
    QObject::connect(b.get(), &PictureBox::mouse_down,
                     [&](int, int, float x, float y) { downs.emplace_back(x, y); });
    const QPointF at(12, 7);  // widget pixels: the drawing area starts after the border
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, b->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(b.get(), &e);
    }
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], std::make_pair(10.0f, 5.0f));
}

}  // namespace
