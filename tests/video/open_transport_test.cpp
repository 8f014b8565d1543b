// Opening and closing a clip, and the transport with its paced wait.
#include <QLabel>
#include <QRadioButton>

#include "tests/support/form1_fixture.h"

namespace {

std::string open_command(Form1& f, const QString& path) {
    return "open " + short_path(path) + " alias avfile style child parent " +
           std::to_string(f.Picture1->hWnd());
}

TEST_F(Form1Test, OpenSendsItsCommandsInOrderAndResetsTheWindow) {
    const QString path = clip_path(QStringLiteral("my clip.avi"));
    desk.open_answers.push_back(path);
    svc.answer("close avfile", 263);  // no clip open yet: only a beep
    svc.answer("where avfile source", 0, "0 0 640 480");
    svc.answer("status avfile length", 0, "32767");
    state().mark_count = 4;
    state().calib_mode = true;
    form4()->Text1->setText(QStringLiteral("50"));
    f->Text1->setText(QStringLiteral("1.00"));
    f->Picture3->pset(10, 10, Qt::red);
    f->mnuopen_Click();
    EXPECT_EQ(journal, (Commands{"open_dialog", "close avfile", "beep", open_command(*f, path),
                                 "where avfile source", "put avfile destination at 0 0  320 240",
                                 "status avfile length", "status avfile frame interval"}));
    EXPECT_EQ(desk.open_requests.at(0).filter,
              QStringLiteral("ビデオファイル (*.avi *.mp4 *.mov *.m4v *.mkv *.webm)|"
                             "*.avi;*.mp4;*.mov;*.m4v;*.mkv;*.webm|AVIファイル (*.avi)|*.avi|"
                             "すべてのファイル (*)|*"));
    EXPECT_EQ(f->HScroll1->maximum(), 32767);
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Label1->text(), path);
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_EQ(state().scale_m_per_unit, 1.0f);
    EXPECT_FALSE(state().calib_mode);
    EXPECT_TRUE(form4()->Text1->text().isEmpty() && f->Text1->text().isEmpty());
    EXPECT_EQ(canvas(10, 10), kWhite);
}

TEST_F(Form1Test, OpenEndingEarly) {
    struct Case {
        const char* what;
        bool cancel;
        int open_code;
        const char *where, *length;
        Commands tail;        // what the journal ends with
        const char* message;  // what a message box says, in part; nullptr for none
        bool timer_after;
    };
    const Case cases[] = {
        {"cancel leaves the clip", true, 0, "", "", {"open_dialog", "beep"}, nullptr, true},
        {"failed open stops the timer",
         false,
         277,
         "",
         "",
         {"beep", "error_box"},
         "再生できません",
         false},
        {"where reply too short",
         false,
         0,
         "0 0 320",
         "",
         {"where avfile source", "beep"},
         nullptr,
         true},
        {"clip too long",
         false,
         0,
         "0 0 320 240",
         "40000",
         {"status avfile length", "beep", "error_box"},
         "40000",
         true},
    };
    for (const Case& c : cases) {
        open_clip();
        state().mark_count = 3;
        if (!c.cancel) desk.open_answers.push_back(clip_path(QStringLiteral("b.avi")));
        svc.answer("open", c.open_code);
        svc.error_texts[277] = "このファイルは再生できません。";
        svc.answer("where", 0, c.where);
        svc.answer("status avfile length", 0, c.length);
        f->mnuopen_Click();
        ASSERT_GE(journal.size(), c.tail.size()) << c.what;
        EXPECT_EQ(Commands(journal.end() - static_cast<long>(c.tail.size()), journal.end()), c.tail)
            << c.what;
        EXPECT_EQ(desk.beeps, 1) << c.what;
        ASSERT_EQ(desk.messages.size(), c.message ? 1u : 0u) << c.what;
        if (c.message) {
            EXPECT_TRUE(desk.messages[0].text.contains(QString::fromUtf8(c.message))) << c.what;
            EXPECT_EQ(desk.messages[0].title, program_name());
        }
        EXPECT_EQ(f->Timer1->isActive(), c.timer_after) << c.what;
        EXPECT_EQ(state().mark_count, 3) << c.what;
        EXPECT_EQ(f->Label1->text(), clip_path()) << c.what;  // unchanged
        svc = ScriptedMediaService{};                         // drop what a case left unused
        svc.journal = &journal;
    }
}

TEST_F(Form1Test, CloseResetsTheWindowButNotTheScale) {
    open_and_play();
    state().mark_count = 3;
    state().scale_m_per_unit = 0.5f;
    f->Text1->setText(QStringLiteral("1.00"));
    f->mnuclose_Click();
    EXPECT_EQ(svc.commands, Commands{"close avfile"});
    EXPECT_FALSE(f->Timer1->isActive() || f->marking_enabled);
    EXPECT_EQ(f->Label1->text() + f->Text1->text() + f->Label2->text(), QStringLiteral("フレーム"));
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_EQ(state().scale_m_per_unit, 0.5f);
}

TEST_F(Form1Test, PacedWaitEndsWhenTheRoundedQuotientChanges) {
    struct Case {
        const char* wait_ms;
        std::vector<std::int32_t> ticks;
        std::size_t reads;
    };
    const Case cases[] = {
        {"400", {0, 100, 199, 201}, 4}, {"400", {0, 200, 201}, 3},  // a half rounds to even
        {"400", {599, 600}, 2},         {"400", {1000, 999, 600, 590}, 4},
        {"400", {-1, -200, -201}, 3},   {"1", {5, 5, 5, 6}, 4},
    };
    open_and_play();
    for (const Case& c : cases) {
        forget();
        std::size_t next = 0;
        desk.tick_source = [&] {
            journal.push_back("tick");
            return c.ticks.at(std::min(next++, c.ticks.size() - 1));
        };
        f->Text4->setText(QString::fromLatin1(c.wait_ms));
        f->Command3_Click();
        Commands expected{"tick", "step avfile"};
        expected.insert(expected.end(), c.reads - 1, "tick");
        expected.insert(expected.end(), {"stop avfile", update_command()});
        EXPECT_EQ(journal, expected) << c.ticks[1];
    }
}

TEST_F(Form1Test, StepsShowTheFrameBackStepsWithTheMarks) {
    open_and_play();
    journal_ticks(400);
    f->mark_cx[1] = 50;
    f->mark_cy[1] = 60;
    state().mark_count = 1;
    f->Command3_Click();
    EXPECT_EQ(canvas(0, 0), rgb(pal::kLightBlue));
    EXPECT_EQ(canvas(50, 60), kWhite);
    forget();
    f->Command4_Click();
    EXPECT_EQ(journal,
              (Commands{"tick", "step avfile reverse", "tick", "stop avfile", update_command()}));
    EXPECT_EQ(canvas(50, 60), rgb(pal::kLightYellow));
}

TEST_F(Form1Test, StepTimesThatCannotPaceSayWhyAndSendNothing) {
    open_and_play();
    for (const char* text : {"", "abc", "0", "-400", "0.4", "40000"}) {
        for (void (Form1::*step)() : {&Form1::Command3_Click, &Form1::Command4_Click}) {
            forget();
            f->Text4->setText(QString::fromLatin1(text));
            (f.get()->*step)();
            EXPECT_EQ(svc.commands, Commands{}) << text;
            EXPECT_EQ(desk.messages.size(), 1u) << text;
        }
    }
    EXPECT_EQ(desk.tick_reads, 0);
}

TEST_F(Form1Test, PlayPauseRewindAndTheBar) {
    open_and_play();
    f->Command2_Click();
    f->Cmd_makimodoshi_Click();
    f->HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);  // track click: no seek
    f->HScroll1->setSliderDown(true);                                // a drag seeks each move
    f->HScroll1->setValue(37);
    f->HScroll1->setValue(0);
    f->HScroll1->setSliderDown(false);
    f->Command1_Click();
    EXPECT_EQ(svc.commands, (Commands{"pause avfile", "seek avfile to  0", "seek avfile to  37",
                                      "seek avfile to  0", "play avfile window"}));
    EXPECT_TRUE(f->Timer1->isActive() && f->marking_enabled);
}

TEST_F(Form1Test, TimerShowsThePositionOrTheErrorText) {
    open_and_play();
    svc.answer("status avfile position", 0, "42");
    f->Timer1_Timer();
    EXPECT_EQ(f->HScroll1->value(), 42);
    EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム\n\r    42"));
    svc.answer("status avfile position", 263);
    svc.error_texts[263] = "開かれていません。";
    f->Timer1_Timer();
    EXPECT_EQ(f->HScroll1->value(), 0);
    EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム\n\r    開かれていません。"));
    EXPECT_EQ(desk.beeps, 1);
}

TEST_F(Form1Test, FrameIntervalOptions) {
    f->Option2->click();
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 15.0));
    EXPECT_EQ(state().frame_time_label, "1/15秒");
    f->Option1->click();
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 30.0));
    EXPECT_EQ(state().frame_time_label, "1/30秒");
}

}  // namespace
