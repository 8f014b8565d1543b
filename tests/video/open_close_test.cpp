// Opening a clip from the file menu (its commands in order and every way it can end) and
// closing it.
#include <QLabel>

#include "tests/support/form1_fixture.h"

namespace {

using Commands = std::vector<std::string>;

class OpenClose : public Form1Test {
protected:
    // Draws something on both pictures and fills the coordinate boxes, so that a test sees
    // what the open sequence clears.
    void dirty() {
        f->Picture3->pset(10, 10, Qt::red);
        f->Picture2->pset(10, 10, Qt::red);
        f->Text1->setText(QStringLiteral("1.00"));
        f->Text2->setText(QStringLiteral("2.00"));
        state().scale_m_per_unit = 0.25f;
        state().calib_mode = true;
        form4()->Text1->setText(QStringLiteral("50"));
    }
    std::string open_command(const QString& path) const {
        return "open " + short_path(path) + " alias avfile style child parent " +
               std::to_string(f->Picture1->hWnd());
    }
    void expect_start_of_open_done() {
        EXPECT_EQ(canvas(10, 10), kWhite);
        EXPECT_EQ(strip(10, 10), kWhite);
        EXPECT_TRUE(f->Text1->text().isEmpty());
        EXPECT_TRUE(f->Text2->text().isEmpty());
        EXPECT_EQ(state().scale_m_per_unit, 1.0f);
        EXPECT_FALSE(state().calib_mode);
        EXPECT_TRUE(form4()->Text1->text().isEmpty());
    }
};

TEST_F(OpenClose, OpenSendsItsCommandsInOrder) {
    const QString path = clip_path(QStringLiteral("my clip.avi"));
    desk.open_answers.push_back(path);
    svc.answer("where avfile source", 0, "0 0 640 480");
    svc.answer("status avfile length", 0, "150");
    state().mark_count = 4;
    dirty();
    f->mnuopen_Click();

    EXPECT_EQ(journal, (Commands{"open_dialog", "close avfile", open_command(path),
                                 "where avfile source", "put avfile destination at 0 0  320 240",
                                 "status avfile length"}));
    EXPECT_NE(open_command(path).find("my%20clip.avi alias"), std::string::npos);
    ASSERT_EQ(desk.open_requests.size(), 1u);
    EXPECT_EQ(desk.open_requests[0].filter, QStringLiteral("AVIファイル (*.avi)|*.avi"));
    EXPECT_EQ(desk.beeps, 0);
    expect_start_of_open_done();
    EXPECT_EQ(f->HScroll1->maximum(), 150);
    EXPECT_EQ(f->HScroll1->minimum(), 0);
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 100);
    EXPECT_EQ(f->Label1->text(), path);
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_EQ(f->canvas_w, 316);
}

TEST_F(OpenClose, AFailedCloseBeforeTheOpenOnlyBeeps) {
    svc.answer("close avfile", 263, "");
    open_clip();
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Label1->text(), clip_path());
}

TEST_F(OpenClose, CancelBeepsAndLeavesTheClipOpen) {
    open_and_play();
    state().mark_count = 3;
    dirty();
    f->mnuopen_Click();  // no answer queued: Cancel
    EXPECT_EQ(desk.beeps, 1);
    EXPECT_EQ(svc.commands, Commands{});
    expect_start_of_open_done();
    EXPECT_EQ(state().mark_count, 3);
    EXPECT_TRUE(f->Timer1->isActive());
    EXPECT_EQ(f->Label1->text(), clip_path());
}

TEST_F(OpenClose, AFailedOpenShowsTheServiceTextAndStopsTheTimer) {
    open_clip();
    ASSERT_TRUE(f->Timer1->isActive());
    state().mark_count = 2;
    desk.open_answers.push_back(clip_path(QStringLiteral("broken.avi")));
    svc.answer("open ", 277, "");
    svc.error_texts[277] = "このファイルは再生できません。";
    f->mnuopen_Click();

    EXPECT_EQ(journal, (Commands{"open_dialog", "close avfile", open_command(clip_path("broken.avi")),
                                 "beep", "error_box"}));
    ASSERT_EQ(desk.messages.size(), 1u);
    EXPECT_EQ(desk.messages[0].text, QStringLiteral("このファイルは再生できません。"));
    EXPECT_EQ(desk.messages[0].title, program_name());
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_EQ(state().mark_count, 2);
}

TEST_F(OpenClose, ATooLongClipBeepsAndSaysWhy) {
    desk.open_answers.push_back(clip_path());
    svc.answer("where avfile source", 0, "0 0 320 240");
    svc.answer("status avfile length", 0, "40000");
    state().mark_count = 5;
    f->mnuopen_Click();
    EXPECT_EQ(desk.beeps, 1);
    ASSERT_EQ(desk.messages.size(), 1u);
    EXPECT_TRUE(desk.messages[0].text.contains(QStringLiteral("40000")));
    EXPECT_EQ(desk.messages[0].title, program_name());
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_TRUE(f->Label1->text().isEmpty());
    EXPECT_EQ(state().mark_count, 5);
    EXPECT_EQ(svc.commands.back(), "status avfile length");
}

TEST_F(OpenClose, AWhereReplyWithTooFewBlanksEndsWithABeep) {
    for (const char* where : {"0 0 320", ""}) {
        forget();
        desk.open_answers.push_back(clip_path());
        svc.answer("where avfile source", 0, where);
        f->mnuopen_Click();
        EXPECT_EQ(desk.beeps, 1) << where;
        EXPECT_TRUE(desk.messages.empty()) << where;
        EXPECT_EQ(svc.commands.back(), "where avfile source") << where;
        EXPECT_FALSE(f->Timer1->isActive()) << where;
    }
}

TEST_F(OpenClose, CloseResetsTheWindow) {
    open_and_play();
    state().mark_count = 3;
    state().scale_m_per_unit = 0.5f;
    f->Text1->setText(QStringLiteral("1.00"));
    f->Picture3->pset(10, 10, Qt::red);
    f->mnuclose_Click();
    EXPECT_EQ(svc.commands, Commands{"close avfile"});
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_TRUE(f->Label1->text().isEmpty());
    EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム"));
    EXPECT_TRUE(f->Text1->text().isEmpty());
    EXPECT_EQ(canvas(10, 10), kWhite);
    EXPECT_EQ(strip(0, 0), kBlackRgb);  // the rulers are drawn again
    EXPECT_FALSE(f->marking_enabled);
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_EQ(state().scale_m_per_unit, 0.5f);  // only the next open resets the scale
}

TEST_F(OpenClose, CloseWithNoClipOnlyBeepsForTheFailure) {
    svc.answer("close avfile", 263, "");
    f->mnuclose_Click();
    EXPECT_EQ(desk.beeps, 1);
    EXPECT_TRUE(desk.messages.empty());
    EXPECT_EQ(f->Label2->text(), QStringLiteral("フレーム"));
}

}  // namespace
