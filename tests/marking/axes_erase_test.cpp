// Flipping the axis directions and erasing marks.
#include "tests/support/form1_fixture.h"

namespace {

using Commands = std::vector<std::string>;

class AxesAndErasing : public Form1Test {
protected:
    AxesAndErasing() {
        open_and_play();
        journal_ticks(400);
        fresh_strip = f->Picture2->image();
    }
    // The part of the strip that holds the labels of one ruler.
    QImage x_labels() const { return f->Picture2->image().copy(0, 260, 340, 26); }
    QImage y_labels() const { return f->Picture2->image().copy(342, 0, 24, 236); }
    QImage fresh_strip;
};

TEST_F(AxesAndErasing, FlippingXShowsTheNewPositionInTheGeneralFormat) {
    mark(156, 196);
    mark(96, 37);
    const QImage labels = x_labels();
    forget();
    f->Cmd_Xchange_Click();
    EXPECT_TRUE(f->x_from_left);
    EXPECT_FLOAT_EQ(state().unit_x[1], 4.0f);
    EXPECT_FLOAT_EQ(state().unit_x[2], 2.5f);
    EXPECT_EQ(f->Text1->text(), QStringLiteral("2.5"));
    EXPECT_EQ(f->Text2->text(), QStringLiteral("4.98"));  // untouched
    EXPECT_FALSE(x_labels() == labels);
    // Markers in copy mode, drawn after the ticks.
    EXPECT_EQ(strip(96, 253), kBlackRgb);
    EXPECT_EQ(strip(332, 196), rgb(pal::kLightBlue));
    EXPECT_EQ(strip(332, 37), rgb(pal::kLightBlue));
    EXPECT_EQ(svc.commands, Commands{});

    f->Cmd_Xchange_Click();
    EXPECT_FALSE(f->x_from_left);
    EXPECT_FLOAT_EQ(state().unit_x[2], 5.5f);
    EXPECT_EQ(f->Text1->text(), QStringLiteral("5.5"));
    EXPECT_TRUE(x_labels() == labels);
}

TEST_F(AxesAndErasing, FlippingYDrawsTheTicksOverTheMarkers) {
    mark(156, 196);
    state().scale_m_per_unit = 0.1f;
    const QImage labels = y_labels();
    f->Cmd_Ychange_Click();
    EXPECT_TRUE(f->y_from_top);
    EXPECT_FLOAT_EQ(state().unit_y[1], 5.0f);
    EXPECT_EQ(f->Text2->text(), QStringLiteral("0.5"));
    EXPECT_FALSE(y_labels() == labels);
    EXPECT_EQ(strip(332, 196), kBlackRgb);  // the long tick at 196 lies over the marker
    EXPECT_EQ(strip(332, 198), rgb(pal::kLightBlue));
    EXPECT_EQ(strip(156, 253), kBlackRgb);
    f->Cmd_Ychange_Click();
    EXPECT_FLOAT_EQ(state().unit_y[1], 1.0f);
    EXPECT_TRUE(y_labels() == labels);
}

TEST_F(AxesAndErasing, FlippingWithNoMarksShowsZero) {
    f->Cmd_Xchange_Click();
    f->Cmd_Ychange_Click();
    EXPECT_EQ(f->Text1->text(), QStringLiteral("0"));
    EXPECT_EQ(f->Text2->text(), QStringLiteral("0"));
    EXPECT_TRUE(f->Picture2->image() != fresh_strip);  // labels now 8..1 and 6..1
}

TEST_F(AxesAndErasing, EraseLastStepsBackAndTakesItsMarkersOff) {
    mark(96, 36, "2");
    const QImage strip_with_one = f->Picture2->image();
    mark(158, 77, "2");
    forget();
    f->Cmd_Reset_Click();
    EXPECT_EQ(journal, (Commands{"tick", "step avfile reverse", "tick", "tick", "step avfile reverse",
                                 "tick", "stop avfile", update_command()}));
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(f->Text1->text(), QStringLiteral("5.50"));
    EXPECT_EQ(f->Text2->text(), QStringLiteral("5.00"));
    EXPECT_TRUE(f->Picture2->image() == strip_with_one);
    EXPECT_EQ(canvas(158, 77), kWhite);
    EXPECT_EQ(canvas(96, 36), rgb(pal::kLightYellow));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));

    // The freed number is used again, with its frame count written anew.
    mark(200, 100, "3");
    EXPECT_EQ(state().mark_count, 2);
    EXPECT_EQ(state().mark_step[1], 3);
}

TEST_F(AxesAndErasing, ErasingTheOnlyMarkEmptiesTheBoxes) {
    mark(96, 36, "1");
    forget();
    f->Cmd_Reset_Click();
    EXPECT_EQ(svc.commands, (Commands{"step avfile reverse", "stop avfile", update_command()}));
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_TRUE(f->Text1->text().isEmpty());
    EXPECT_TRUE(f->Text2->text().isEmpty());
    EXPECT_EQ(canvas(96, 36), kWhite);
    EXPECT_TRUE(f->Picture2->image() == fresh_strip);
}

TEST_F(AxesAndErasing, EraseWithNoMarksOnlyEmptiesTheBoxes) {
    f->Text1->setText(QStringLiteral("1"));
    f->Text2->setText(QStringLiteral("2"));
    f->Cmd_Reset_Click();
    EXPECT_TRUE(f->Text1->text().isEmpty());
    EXPECT_TRUE(f->Text2->text().isEmpty());
    EXPECT_EQ(journal, Commands{});
}

TEST_F(AxesAndErasing, EraseRefusedByTheStepTimeChangesNothing) {
    mark(96, 36, "2");
    const QImage strip_before = f->Picture2->image();
    const QString text1 = f->Text1->text();
    f->Text4->setText(QStringLiteral("0"));
    forget();
    f->Cmd_Reset_Click();
    EXPECT_EQ(desk.messages.size(), 1u);
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(svc.commands, Commands{});
    EXPECT_TRUE(f->Picture2->image() == strip_before);
    EXPECT_EQ(f->Text1->text(), text1);
}

TEST_F(AxesAndErasing, EraseAllKeepsTheClipAndTheScale) {
    mark(96, 36, "2");
    mark(158, 77, "2");
    f->Cmd_Xchange_Click();
    f->Cmd_Xchange_Click();
    state().scale_m_per_unit = 0.1f;
    state().calib_unit_len = 5.0f;
    forget();
    f->Command6_Click();
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_TRUE(f->Text1->text().isEmpty());
    EXPECT_TRUE(f->Text2->text().isEmpty());
    EXPECT_EQ(canvas(96, 36), kWhite);
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    EXPECT_TRUE(f->Picture2->image() == fresh_strip);
    EXPECT_EQ(f->Picture2->draw_mode(), PictureBox::kCopyPen);
    EXPECT_EQ(state().scale_m_per_unit, 0.1f);
    EXPECT_EQ(state().calib_unit_len, 5.0f);
    EXPECT_TRUE(f->Cmd_Xchange->isEnabled());
}

}  // namespace
