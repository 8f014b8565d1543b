// The marking click: its commands in order, the positions it records and shows, the frame
// counts between marks, and every click that must record nothing.
#include "tests/support/form1_fixture.h"

namespace {

using Commands = std::vector<std::string>;

class Marking : public Form1Test {
protected:
    Marking() {
        open_and_play();
        journal_ticks(400);
    }
};

TEST_F(Marking, AMarkStepsTheClipInsideThePacedWaitThenShowsTheFrame) {
    mark(116, 36, "2");
    EXPECT_EQ(journal, (Commands{"tick", "step avfile", "tick", "tick", "step avfile", "tick",
                                 "stop avfile", update_command()}));
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(f->step_frames, 2);
    EXPECT_EQ(f->step_wait_ms, 400);
}

struct WorkedCase {
    bool x_from_left, y_from_top;
    float x, y;
    float unit_x, unit_y;
    const char* text1;
    const char* text2;
};

TEST_F(Marking, PositionsFollowTheAxisDirections) {
    const WorkedCase cases[] = {
        {false, false, 116, 36, 5.0f, 5.0f, "5.00", "5.00"},
        {true, false, 116, 36, 3.0f, 5.0f, "3.00", "5.00"},
        {false, true, 116, 36, 5.0f, 1.0f, "5.00", "1.00"},
        {false, false, 316, 236, 0.0f, 0.0f, "0.00", "0.00"},
        {false, false, 0, 0, 7.9f, 5.9f, "7.90", "5.90"},
        {true, true, 0, 0, 0.1f, 0.1f, "0.10", "0.10"},
    };
    for (const WorkedCase& c : cases) {
        state().mark_count = 0;
        f->x_from_left = c.x_from_left;
        f->y_from_top = c.y_from_top;
        mark(c.x, c.y);
        const AnalysisState& s = state();
        ASSERT_EQ(s.mark_count, 1);
        EXPECT_FLOAT_EQ(s.unit_x[1], c.unit_x) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(s.unit_y[1], c.unit_y) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(s.pos_x[1], c.unit_x);  // scale 1.0 after the open
        EXPECT_EQ(f->Text1->text(), QString::fromLatin1(c.text1));
        EXPECT_EQ(f->Text2->text(), QString::fromLatin1(c.text2));
        EXPECT_EQ(f->mark_cx[1], c.x);
        EXPECT_EQ(f->mark_cy[1], c.y);
    }
}

TEST_F(Marking, PositionsInMetresUseTheScale) {
    state().scale_m_per_unit = 0.1f;
    mark(236, 156);
    EXPECT_FLOAT_EQ(state().pos_x[1], 0.2f);
    EXPECT_EQ(f->Text1->text(), QStringLiteral("0.20"));
    EXPECT_EQ(f->Text2->text(), QStringLiteral("0.20"));
}

TEST_F(Marking, MarkStepHoldsTheStepCountInForceAtTheNextClick) {
    state().mark_step[0] = 99;
    mark(10, 10, "2");
    mark(20, 20, "3");
    forget();
    mark(30, 30, "0");
    const AnalysisState& s = state();
    EXPECT_EQ(s.mark_count, 3);
    EXPECT_EQ(s.mark_step[0], 0);
    EXPECT_EQ(s.mark_step[1], 3);
    EXPECT_EQ(s.mark_step[2], 0);
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));  // no advance
}

TEST_F(Marking, EveryMouseButtonMarksAlsoThroughTheCanvasSignal) {
    f->Text3->setText(QStringLiteral("0"));
    emit f->Picture3->mouse_down(2, 0, 50, 50);
    emit f->Picture3->mouse_down(4, 3, 60, 60);
    EXPECT_EQ(state().mark_count, 2);
    EXPECT_EQ(canvas(60, 60), rgb(pal::kLightYellow));
}

TEST_F(Marking, TheMarkAndItsRulerMarkersShow) {
    mark(98, 37);
    EXPECT_EQ(canvas(98, 37), rgb(pal::kLightYellow));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    // XOR on the white strip: bright white shows black, light yellow shows light blue.
    EXPECT_EQ(strip(98, 253), kBlackRgb);
    EXPECT_EQ(strip(332, 37), rgb(pal::kLightBlue));
    EXPECT_EQ(f->Picture2->draw_mode(), PictureBox::kXorPen);
}

// Clicks that must leave the table, the canvas, the strip and the clip as they were.
struct RefusedCase {
    const char* what;
    std::function<void(Form1Test&, Form1&)> setup;
    const char* frames;
    bool message;
};

TEST_F(Marking, RefusedClicksRecordAndSendNothing) {
    const RefusedCase cases[] = {
        {"not played yet", [](Form1Test&, Form1& w) { w.marking_enabled = false; }, "2", false},
        {"100 marks", [](Form1Test&, Form1&) { state().mark_count = 100; }, "2", true},
        {"frames not a number", [](Form1Test&, Form1&) {}, "abc", true},
        {"frames empty", [](Form1Test&, Form1&) {}, "", true},
        {"frames negative", [](Form1Test&, Form1&) {}, "-1", true},
        {"frames beyond 16 bits", [](Form1Test&, Form1&) {}, "40000", true},
        {"step time 0", [](Form1Test&, Form1& w) { w.Text4->setText(QStringLiteral("0")); }, "2", true},
        {"step time not a number",
         [](Form1Test&, Form1& w) { w.Text4->setText(QStringLiteral("x")); }, "2", true},
    };
    for (const RefusedCase& c : cases) {
        f = std::make_unique<Form1>();
        f->Form_Activate();
        state().mark_count = 0;
        f->marking_enabled = true;
        c.setup(*this, *f);
        const std::int16_t count = state().mark_count;
        const QImage strip_before = f->Picture2->image();
        forget();
        mark(98, 37, c.frames);
        EXPECT_EQ(state().mark_count, count) << c.what;
        EXPECT_EQ(svc.commands, Commands{}) << c.what;
        EXPECT_EQ(desk.messages.size(), c.message ? 1u : 0u) << c.what;
        EXPECT_EQ(canvas(98, 37), kWhite) << c.what;
        EXPECT_TRUE(f->Picture2->image() == strip_before) << c.what;
        EXPECT_TRUE(f->Text1->text().isEmpty()) << c.what;
    }
}

TEST_F(Marking, NoStepsDueNeedsNoStepTime) {
    f->Text4->setText(QStringLiteral("0"));
    mark(98, 37, "0");
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_TRUE(desk.messages.empty());
}

TEST_F(Marking, FrameCaptureRedrawsTheMarksWhateverMarkingIsAllowed) {
    mark(98, 37);
    f->Picture3->cls();
    f->marking_enabled = false;
    forget();
    f->Cmd_trans_Click();
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(canvas(98, 37), rgb(pal::kLightYellow));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
}

}  // namespace
