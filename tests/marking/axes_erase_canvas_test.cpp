// Axis flips, erasing marks, and the canvas and ruler strip pixel by pixel.
#include "tests/support/form1_fixture.h"

namespace {

int pixels_not(const PictureBox* box, QRgb colour, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += box->pixel_at(x, y) != colour;
    return n;
}

class AxesAndErasing : public Form1Test {
  protected:
    AxesAndErasing() {
        open_and_play();
        journal_ticks(400);
    }
    QImage x_labels() const { return f->Picture2->image().copy(0, 260, 340, 26); }
    QImage y_labels() const { return f->Picture2->image().copy(342, 0, 24, 236); }
    const QImage fresh_strip = f->Picture2->image();
};

TEST_F(AxesAndErasing, FlippingXRecomputesAndShowsTheGeneralFormat) {
    mark(156, 196);
    mark(96, 37);
    const QImage labels = x_labels();
    forget();
    f->Cmd_Xchange_Click();
    EXPECT_FLOAT_EQ(state().unit_x[1], 4.0f);
    EXPECT_EQ(f->Text1->text() + " " + f->Text2->text(), QStringLiteral("2.5 4.98"));
    EXPECT_FALSE(x_labels() == labels);
    EXPECT_EQ(strip(96, 253), kBlackRgb);              // markers in copy mode,
    EXPECT_EQ(strip(332, 196), rgb(pal::kLightBlue));  // drawn over the ticks
    EXPECT_TRUE(svc.commands.empty());
    f->Cmd_Xchange_Click();
    EXPECT_EQ(f->Text1->text(), QStringLiteral("5.5"));
    EXPECT_TRUE(x_labels() == labels);
}

TEST_F(AxesAndErasing, FlippingYDrawsTheTicksOverTheMarkers) {
    mark(156, 196);
    state().scale_m_per_unit = 0.1f;
    const QImage labels = y_labels();
    f->Cmd_Ychange_Click();
    EXPECT_EQ(f->Text2->text(), QStringLiteral("0.5"));
    EXPECT_FALSE(y_labels() == labels);
    EXPECT_EQ(strip(332, 196), kBlackRgb);
    EXPECT_EQ(strip(332, 198), rgb(pal::kLightBlue));
    f->Cmd_Ychange_Click();
    EXPECT_FLOAT_EQ(state().unit_y[1], 1.0f);
    EXPECT_TRUE(y_labels() == labels);
}

TEST_F(AxesAndErasing, FlippingWithNoMarksShowsZero) {
    f->Cmd_Xchange_Click();
    f->Cmd_Ychange_Click();
    EXPECT_EQ(f->Text1->text() + f->Text2->text(), QStringLiteral("00"));
}

TEST_F(AxesAndErasing, EraseLastStepsBackAndTakesItsMarkersOff) {
    mark(96, 36, "2");
    const QImage strip_with_one = f->Picture2->image();
    mark(158, 77, "2");
    forget();
    f->Cmd_Reset_Click();
    EXPECT_EQ(journal, (Commands{"tick", "step avfile reverse", "tick", "tick",
                                 "step avfile reverse", "tick", "stop avfile", update_command()}));
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(f->Text1->text() + " " + f->Text2->text(), QStringLiteral("5.50 5.00"));
    EXPECT_TRUE(f->Picture2->image() == strip_with_one);
    EXPECT_EQ(canvas(158, 77), kWhite);
    EXPECT_EQ(canvas(96, 36), rgb(pal::kLightYellow));
    mark(200, 100, "3");  // the freed number again, its frame count written anew
    EXPECT_EQ(state().mark_step[1], 3);

    f->Text3->setText(QStringLiteral("1"));
    f->Cmd_Reset_Click();
    f->Text4->setText(QStringLiteral("0"));  // a step time that cannot pace refuses the erase
    f->Cmd_Reset_Click();
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(desk.messages.size(), 1u);
    f->Text4->setText(QStringLiteral("400"));
    f->Cmd_Reset_Click();
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_TRUE(f->Text1->text().isEmpty() && f->Text2->text().isEmpty());
    EXPECT_TRUE(f->Picture2->image() == fresh_strip);
}

TEST_F(AxesAndErasing, EraseWithNoMarksOnlyEmptiesTheBoxes) {
    f->Text1->setText(QStringLiteral("1"));
    f->Cmd_Reset_Click();
    EXPECT_TRUE(f->Text1->text().isEmpty() && journal.empty());
}

TEST_F(AxesAndErasing, EraseAllKeepsTheFrameAndTheScale) {
    mark(96, 36);
    mark(158, 77);
    f->Cmd_Xchange_Click();
    f->Cmd_Xchange_Click();
    state().scale_m_per_unit = 0.1f;
    forget();
    f->Command6_Click();
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_TRUE(f->Text1->text().isEmpty() && f->Text2->text().isEmpty());
    EXPECT_EQ(canvas(96, 36), kWhite);
    EXPECT_TRUE(f->Picture2->image() == fresh_strip);
    EXPECT_EQ(state().scale_m_per_unit, 0.1f);
}

TEST_F(Form1Test, RefreshDrawsTheCornerPixelAndMarksAsDiscsOfRadiusThree) {
    f->refresh_canvas(1, 0);
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    EXPECT_EQ(pixels_not(f->Picture3, kWhite, QRect(QPoint(0, 0), f->Picture3->area_size())), 1);
    f->mark_cx[1] = 100;
    f->mark_cy[1] = 80;
    f->refresh_canvas(1, 1);
    const std::pair<QPoint, bool> offsets[] = {{{3, 0}, true},  {{0, -3}, true}, {{2, 2}, true},
                                               {{3, 1}, true},  {{4, 0}, false}, {{3, 2}, false},
                                               {{-2, 3}, false}};
    for (const auto& [d, inside] : offsets)
        EXPECT_EQ(canvas(100 + d.x(), 80 + d.y()), inside ? rgb(pal::kLightYellow) : kWhite)
            << d.x() << "," << d.y();
    EXPECT_EQ(pixels_not(f->Picture3, kWhite, QRect(90, 70, 21, 21)), 37);
}

TEST_F(Form1Test, RulerTicksAndLabelsArePixelExact) {
    EXPECT_EQ(f->canvas_w, 316);
    EXPECT_EQ(f->canvas_h, 236);
    // The far end of each tick and the first pixel past it.
    const std::pair<QPoint, QPoint> ticks[] = {
        {{312, 249}, {312, 250}}, {{296, 253}, {296, 254}}, {{276, 257}, {276, 258}},  // x
        {{4, 249}, {4, 250}},     {{329, 232}, {330, 232}}, {{335, 216}, {336, 216}},  // y
        {{338, 196}, {339, 196}}, {{329, 4}, {330, 4}},     {{101, 235}, {101, 237}},  // box
        {{0, 0}, {0, 245}},       {{315, 0}, {320, 0}},  // no tick at coordinate 0
    };
    for (const auto& [black, white] : ticks) {
        EXPECT_EQ(strip(black.x(), black.y()), kBlackRgb) << black.x() << "," << black.y();
        EXPECT_EQ(strip(white.x(), white.y()), kWhite) << white.x() << "," << white.y();
    }
    for (int i = 0; i <= 7; ++i)
        EXPECT_GT(pixels_not(f->Picture2, kWhite, QRect(314 - 40 * i, 262, 12, 22)), 0) << i;
    for (int i = 0; i <= 5; ++i)
        EXPECT_GT(pixels_not(f->Picture2, kWhite, QRect(346, 231 - 40 * i, 12, 16)), 0) << i;
    EXPECT_EQ(pixels_not(f->Picture2, kWhite, QRect(290, 270, 10, 14)), 0);  // between labels
    const QImage once = f->Picture2->image();
    f->draw_rulers();
    EXPECT_TRUE(f->Picture2->image() == once);  // drawn again over itself: the same
}

}  // namespace
