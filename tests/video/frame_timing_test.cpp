// The frame interval's third choice, the clip's own timing, where the end-to-end test of the
// editions does not reach: clips it leaves alone, a service that does not tell, a capture rate
// that is no number, and the choice moving between the three.
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "tests/support/form1_fixture.h"

namespace {

class FrameTimingTest : public Form1Test {
  protected:
    // Opens a clip whose service answers these timing questions (nullptr: an error, as a
    // service that does not know them gives).
    void open(const char* interval, const char* capture, bool avi) {
        QFile file(clip_path(QStringLiteral("timing.clip")));
        file.open(QIODevice::WriteOnly);
        file.write(avi ? QByteArray("RIFF\0\0\0\0AVI LIST", 16)
                       : QByteArray("\0\0\0\x18"
                                    "ftyp"));
        file.close();
        desk.open_answers.push_back(file.fileName());
        svc.answer("where avfile source", 0, "0 0 320 240");
        svc.answer("status avfile frame interval", interval ? 0 : 263, interval ? interval : "");
        svc.answer("status avfile variable rate", 0, "false");
        svc.answer("status avfile capture rate", 0, capture);
        f->mnuopen_Click();
    }
};

TEST_F(FrameTimingTest, ClipsThatOneThirtiethTimesRightKeepIt) {
    const struct {
        const char* what;
        const char* interval;
        const char* capture;
        bool avi;
        bool offered;       // the third choice shown
        bool rate_offered;  // the capture rate shown
    } cases[] = {
        {"29.97 fps AVI: as always", "1001/30000", "0", true, false, true},
        {"15 fps", "1/15", "0", false, true, true},
        {"a tag that repeats the stored rate", "1/30", "30", false, true, true},
        {"a service that does not tell", nullptr, "", false, false, false},
    };
    f->Option3->setChecked(true);  // as a clip before may have left it
    state().clip_timing = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        forget();
        open(c.interval, c.capture, c.avi);
        EXPECT_TRUE(f->Option1->isChecked() && !state().clip_timing);
        EXPECT_EQ(state().frame_time_label, "1/30秒");
        EXPECT_EQ(f->Option3->isVisibleTo(f.get()), c.offered);
        EXPECT_EQ(f->Text5->isVisibleTo(f.get()), c.rate_offered);
        EXPECT_TRUE(f->Label12->text().isEmpty() && f->Text5->text().isEmpty());
        EXPECT_EQ(desk.beeps, 0);
    }
}

// A text that is no capture rate keeps the one in force and says why; 1/30 s takes the
// clip's timing out of force, the third choice brings it back; closing the clip leaves 1/30 s.
TEST_F(FrameTimingTest, TheChoiceMovesAndBadRatesSayWhy) {
    f->show();
    QApplication::setActiveWindow(f.get());
    open("1/30", "240", false);
    f->Text5->setFocus();
    QTest::keyClicks(f->Text5, QStringLiteral("x"));
    EXPECT_EQ(state().capture_rate, 240.0f);
    EXPECT_TRUE(f->Label12->text().contains(QStringLiteral("1 から 100000 までの数")));
    QTest::mouseClick(f->Option1, Qt::LeftButton);
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 30.0));
    EXPECT_TRUE(!state().clip_timing && f->Label12->text().isEmpty());
    QTest::mouseClick(f->Option3, Qt::LeftButton);
    EXPECT_EQ(state().frame_time_label, "1/240秒");
    f->mnuclose_Click();
    EXPECT_TRUE(f->Option1->isChecked() && !f->Option3->isVisibleTo(f.get()));
    EXPECT_EQ(state().frame_time_label, "1/30秒");
    // A high-speed camera's AVI carries no tag: the rate typed brings the clip's timing.
    open("1/30", "0", true);
    EXPECT_FALSE(f->Option3->isVisibleTo(f.get()));
    f->Text5->setFocus();
    QTest::keyClicks(f->Text5, QStringLiteral("300"));
    EXPECT_TRUE(f->Option3->isVisibleTo(f.get()) && f->Option3->isChecked());
    EXPECT_EQ(state().frame_time_label, "1/300秒");
}

}  // namespace
