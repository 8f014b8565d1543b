// The transport: the paced wait on the tick counter, frame steps, rewind, the position bar
// and its timer, the frame interval, and step times that cannot pace a step.
#include <QLabel>
#include <QRadioButton>

#include "tests/support/form1_fixture.h"

namespace {

using Commands = std::vector<std::string>;

class Transport : public Form1Test {
protected:
    Transport() { open_and_play(); }
};

struct PacingCase {
    const char* what;
    const char* wait_ms;
    std::vector<std::int32_t> ticks;  // what the counter reads, in turn
    int reads;                        // reads until the wait ends
};

std::ostream& operator<<(std::ostream& os, const PacingCase& c) { return os << c.what; }

class Pacing : public Transport, public ::testing::WithParamInterface<PacingCase> {};

INSTANTIATE_TEST_SUITE_P(
    TickScripts, Pacing,
    ::testing::Values(
        PacingCase{"ends when the rounded quotient changes", "400", {0, 100, 199, 201}, 4},
        PacingCase{"a half rounds to even", "400", {0, 200, 201}, 3},
        PacingCase{"1.5 rounds up to 2", "400", {599, 600}, 2},
        PacingCase{"a counter that went back still ends", "400", {1000, 999, 600, 590}, 4},
        PacingCase{"negative ticks", "400", {-1, -200, -201}, 3},
        PacingCase{"a wait of 1 ms", "1", {5, 5, 5, 6}, 4}),
    [](const auto& param_info) { return "case" + std::to_string(param_info.index); });

TEST_P(Pacing, TheStepIsSentBetweenTheFirstReadAndTheRest) {
    const PacingCase& c = GetParam();
    std::size_t next = 0;
    desk.tick_source = [&] {
        journal.push_back("tick");
        return c.ticks.at(std::min(next++, c.ticks.size() - 1));
    };
    f->Text4->setText(QString::fromLatin1(c.wait_ms));
    f->Command3_Click();
    Commands expected{"tick", "step avfile"};
    expected.insert(expected.end(), static_cast<std::size_t>(c.reads - 1), "tick");
    expected.insert(expected.end(), {"stop avfile", update_command()});
    EXPECT_EQ(journal, expected) << c.what;
}

TEST_F(Transport, ForwardStepShowsTheFrameWithoutMarks) {
    journal_ticks(400);
    f->mark_cx[1] = 50;
    f->mark_cy[1] = 60;
    state().mark_count = 1;
    f->Picture3->cls();
    f->Command3_Click();
    EXPECT_EQ(svc.commands, (Commands{"step avfile", "stop avfile", update_command()}));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    EXPECT_EQ(canvas(50, 60), kWhite);
    EXPECT_EQ(f->step_wait_ms, 400);
}

TEST_F(Transport, BackStepShowsTheFrameWithEveryMark) {
    journal_ticks(400);
    f->mark_cx[1] = 50;
    f->mark_cy[1] = 60;
    f->mark_cx[2] = 150;
    f->mark_cy[2] = 160;
    state().mark_count = 2;
    f->Picture3->cls();
    f->Command4_Click();
    EXPECT_EQ(journal, (Commands{"tick", "step avfile reverse", "tick", "stop avfile", update_command()}));
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    EXPECT_EQ(canvas(50, 60), rgb(pal::kLightYellow));
    EXPECT_EQ(canvas(150, 160), rgb(pal::kLightYellow));
}

TEST_F(Transport, PlayPauseAndRewindSendTheirCommands) {
    f->Command2_Click();
    f->Cmd_makimodoshi_Click();
    f->Command1_Click();
    EXPECT_EQ(svc.commands, (Commands{"pause avfile", "seek avfile to  0", "play avfile window"}));
    EXPECT_TRUE(f->marking_enabled);
}

TEST_F(Transport, DraggingTheBarSeeksEachMove) {
    f->HScroll1->setSliderDown(true);
    f->HScroll1->setValue(37);
    f->HScroll1->setValue(0);
    f->HScroll1->setSliderDown(false);
    EXPECT_EQ(svc.commands, (Commands{"seek avfile to  37", "seek avfile to  0"}));
    EXPECT_TRUE(f->Timer1->isActive());
}

TEST_F(Transport, ArrowAndTrackClicksSeekNothing) {
    f->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    f->HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(f->HScroll1->value(), 2);
    EXPECT_EQ(svc.commands, Commands{});
}

TEST_F(Transport, ScrollHandlerRestartsTheStoppedTimer) {
    f->Timer1->stop();
    f->HScroll1->setValue(12);
    f->HScroll1_Scroll();
    EXPECT_EQ(svc.commands, Commands{"seek avfile to  12"});
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 100);
}

TEST_F(Transport, TimerShowsThePosition) {
    svc.answer("status avfile position", 0, "42");
    f->Timer1_Timer();
    EXPECT_EQ(svc.commands, Commands{"status avfile position"});
    EXPECT_EQ(f->HScroll1->value(), 42);
    EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム\n\r    42"));
}

TEST_F(Transport, TimerAfterAFailureShowsTheErrorText) {
    f->HScroll1->setValue(30);
    svc.answer("status avfile position", 263, "");
    svc.error_texts[263] = "指定されたデバイスは開かれていません。";
    f->Timer1_Timer();
    EXPECT_EQ(desk.beeps, 1);
    EXPECT_EQ(f->HScroll1->value(), 0);
    EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム\n\r    指定されたデバイスは開かれていません。"));
}

TEST_F(Transport, FrameIntervalOptions) {
    f->Option2->click();
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 15.0));
    EXPECT_EQ(state().frame_time_label, "1/15秒");
    f->Option1->click();
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 30.0));
    EXPECT_EQ(state().frame_time_label, "1/30秒");
    EXPECT_EQ(svc.commands, Commands{});
}

TEST_F(Transport, AStepTimeThatCannotPaceSaysWhyAndSendsNothing) {
    for (const char* text : {"", "abc", "0", "-400", "0.4", "40000", "4OO"}) {
        for (void (Form1::*step)() : {&Form1::Command3_Click, &Form1::Command4_Click}) {
            forget();
            f->Text4->setText(QString::fromLatin1(text));
            (f.get()->*step)();
            EXPECT_EQ(svc.commands, Commands{}) << text;
            ASSERT_EQ(desk.messages.size(), 1u) << text;
            EXPECT_EQ(desk.messages[0].title, program_name());
            EXPECT_EQ(desk.tick_reads, 0) << text;
        }
    }
}

TEST_F(Transport, StepTimeReadsAsTheNearestWholeNumber) {
    journal_ticks(1000);
    f->Text4->setText(QStringLiteral("250.5"));
    f->Command3_Click();
    EXPECT_EQ(f->step_wait_ms, 250);
    EXPECT_TRUE(desk.messages.empty());
}

}  // namespace
