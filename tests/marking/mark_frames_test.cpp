// Marks belong to the frames they were made on: the canvas picture knows its frame from the
// service's reply to "update", an interval counts the frames between its marks, a click on an
// earlier frame records nothing, erasing goes back to the erased mark's frame, and presses made
// during the paced steps are dropped.
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <sstream>

#include "tests/support/form1_fixture.h"

namespace {

class MarkFrames : public Form1Test {
  protected:
    MarkFrames() {
        ScriptedMediaService::Clip clip;
        for (int i = 0; i < 100; ++i) clip.times.push_back(i / 30.0);
        svc.clip = clip;
        open_and_play();
        journal_ticks(400);
        f->show();
    }
    // m<N>: 送りコマ数 N, then a click on the canvas; > コマ送り; < コマ戻し; r 巻き戻し;
    // t 画像転送→; e マーク消去.
    void act(const std::string& actions) {
        std::istringstream in(actions);
        int click = 0;
        for (std::string a; in >> a;) {
            if (a[0] == 'm') {
                f->Text3->setText(QString::fromStdString(a.substr(1)));
                QTest::mouseClick(f->Picture3, Qt::LeftButton, {}, QPoint(40 + 20 * click++, 60));
            }
            QPushButton* button = a == ">"   ? f->Command3
                                  : a == "<" ? f->Command4
                                  : a == "r" ? f->Cmd_makimodoshi
                                  : a == "t" ? f->Cmd_trans
                                  : a == "e" ? f->Cmd_Reset
                                             : nullptr;
            if (button) QTest::mouseClick(button, Qt::LeftButton);
        }
    }
};

TEST_F(MarkFrames, IntervalsCountTheFramesBetweenTheMarks) {
    struct Case {
        const char* what;
        const char* actions;
        std::vector<int> frames;  // of marks 1 .. mark_count
        std::vector<int> steps;   // mark_step 1 .. mark_count - 1
        int position;             // where the clip stands at the end
        long reverse_steps;
        const char* note;
    };
    const Case cases[] = {
        {"clicks only", "m2 m2 m2", {0, 2, 4}, {2, 2}, 6, 0, ""},
        {"送りコマ数 changed between marks", "m2 m3 m1", {0, 2, 5}, {2, 3}, 6, 0, ""},
        {"コマ送り between marks", "m2 > m2", {0, 3}, {3}, 5, 0, ""},
        {"コマ戻し between marks", "m2 < m2", {0, 1}, {1}, 3, 1, ""},
        {"the same frame twice", "m0 m0", {0, 0}, {0}, 0, 0, ""},
        {"an earlier frame records nothing",
         "m2 m2 r t m2",
         {0, 2},
         {2},
         0,
         0,
         "記録しません。前のマーク（フレーム 2）より前のコマです"},
        {"erasing retraces the advance", "m2 m2 e", {0}, {}, 2, 2, ""},
        {"erasing after コマ送り seeks the mark's frame", "m2 m2 > e", {0}, {}, 2, 0, ""},
        {"erasing twice", "m2 m2 e e", {}, {}, 0, 4, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f->Command6_Click();
        f->Cmd_makimodoshi_Click();
        f->Cmd_trans_Click();
        forget();
        act(c.actions);
        const AnalysisState& s = state();
        ASSERT_EQ(s.mark_count, static_cast<int>(c.frames.size()));
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            EXPECT_EQ(s.mark_frame[i + 1], c.frames[i]) << i;
            EXPECT_NEAR(s.mark_clip_time[i + 1], c.frames[i] / 30.0, 1e-9) << i;
        }
        for (std::size_t i = 0; i < c.steps.size(); ++i) EXPECT_EQ(s.mark_step[i + 1], c.steps[i]);
        EXPECT_EQ(svc.clip->position, c.position);
        EXPECT_EQ(f->canvas_frame, c.position);
        EXPECT_EQ(std::count(svc.commands.begin(), svc.commands.end(), "step avfile reverse"),
                  c.reverse_steps);
        EXPECT_EQ(f->Label13->text(), QString::fromUtf8(c.note));
        EXPECT_TRUE(desk.messages.empty() && desk.beeps == 0);
    }
}

// Presses made while the clip is moved on after a mark wait in the queue; delivered late they
// would become marks at the same point on the next frame.
TEST_F(MarkFrames, PressesDuringThePacedStepsAreDropped) {
    int reads = 0;
    desk.tick_source = [&] {
        if (++reads == 3) {
            for (int i = 0; i < 2; ++i) {
                const QPointF at(120, 90);
                QCoreApplication::postEvent(
                    f->Picture3,
                    new QMouseEvent(QEvent::MouseButtonPress, at, f->Picture3->mapToGlobal(at),
                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            }
        }
        return reads * 400;
    };
    act("m2");
    QCoreApplication::processEvents();
    EXPECT_EQ(state().mark_count, 1);
    act("m2");  // a press after the steps is a mark
    EXPECT_EQ(state().mark_count, 2);
}

}  // namespace
