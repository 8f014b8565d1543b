#include <gtest/gtest.h>

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
    EXPECT_EQ(count, 37);  // rows of 3, 7, 7, 7, 7, 7, 3 pixels
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

}  // namespace
