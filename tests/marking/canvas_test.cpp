// The canvas refresh and the ruler strip, pixel by pixel.
#include "tests/support/form1_fixture.h"

namespace {

using Commands = std::vector<std::string>;

int pixels_not(const PictureBox* box, QRgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += box->pixel_at(x, y) != colour;
    return n;
}

TEST_F(Form1Test, RefreshWithNoMarksSetsOnlyTheCornerPixel) {
    f->refresh_canvas(1, 0);
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    EXPECT_EQ(pixels_not(f->Picture3, kWhite, QRect(QPoint(0, 0), f->Picture3->area_size())), 1);
}

TEST_F(Form1Test, MarksAreLightYellowDiscsOfRadiusThree) {
    f->mark_cx[1] = 100;
    f->mark_cy[1] = 80;
    f->mark_cx[2] = 30;
    f->mark_cy[2] = 40;
    f->refresh_canvas(1, 1);
    struct Offset {
        int dx, dy;
        bool inside;
    };
    const Offset offsets[] = {{0, 0, true},  {3, 0, true},  {-3, 0, true}, {0, 3, true},
                              {0, -3, true}, {2, 2, true},  {3, 1, true},  {-2, -2, true},
                              {4, 0, false}, {0, -4, false}, {3, 2, false}, {-2, 3, false}};
    for (const Offset& o : offsets) {
        EXPECT_EQ(canvas(100 + o.dx, 80 + o.dy), o.inside ? rgb(pal::kLightYellow) : kWhite)
            << o.dx << "," << o.dy;
    }
    EXPECT_EQ(canvas(30, 40), kWhite);  // outside first .. last
    EXPECT_EQ(pixels_not(f->Picture3, kWhite, QRect(90, 70, 21, 21)), 37);
}

struct TickCase {
    const char* what;
    QPoint last_black;  // the tick's far end
    QPoint first_white;
};

TEST_F(Form1Test, RulerTicksArePixelExact) {
    EXPECT_EQ(f->canvas_w, 316);
    EXPECT_EQ(f->canvas_h, 236);
    const TickCase ticks[] = {
        {"x short", {312, 249}, {312, 250}},   {"x middle", {296, 253}, {296, 254}},
        {"x long", {276, 257}, {276, 258}},    {"x short at 4", {4, 249}, {4, 250}},
        {"y short", {329, 232}, {330, 232}},   {"y middle", {335, 216}, {336, 216}},
        {"y long", {338, 196}, {339, 196}},    {"y short at 4", {329, 4}, {330, 4}},
        {"box bottom", {101, 235}, {101, 237}}, {"box right", {315, 101}, {317, 101}},
    };
    for (const TickCase& t : ticks) {
        EXPECT_EQ(strip(t.last_black.x(), t.last_black.y()), kBlackRgb) << t.what;
        EXPECT_EQ(strip(t.first_white.x(), t.first_white.y()), kWhite) << t.what;
    }
    // The rows stop before coordinate 0: no tick on the strip's left edge or top row.
    EXPECT_EQ(strip(0, 245), kWhite);
    EXPECT_EQ(strip(320, 0), kWhite);
    EXPECT_EQ(strip(0, 0), kBlackRgb);  // the canvas outline
}

TEST_F(Form1Test, RulerLabelsSitUnderTheLongTicks) {
    for (int i = 0; i <= 7; ++i) {
        const int x = 316 - 40 * i - 2;
        EXPECT_GT(pixels_not(f->Picture2, kWhite, QRect(x, 262, 12, 22)), 0) << "x label " << i;
    }
    for (int i = 0; i <= 5; ++i) {
        const int y = 236 - 40 * i - 5;
        EXPECT_GT(pixels_not(f->Picture2, kWhite, QRect(346, y, 12, 16)), 0) << "y label " << i;
    }
    // Between two labels there is only white.
    EXPECT_EQ(pixels_not(f->Picture2, kWhite, QRect(290, 270, 10, 14)), 0);
}

TEST_F(Form1Test, DrawingTheRulersTwiceLooksTheSame) {
    const QImage once = f->Picture2->image();
    f->draw_rulers();
    EXPECT_TRUE(f->Picture2->image() == once);
}

}  // namespace
