// The frame interval's third choice, the clip's own timing: chosen by itself when a clip opens
// whose timing 1/30 s would get wrong, said so beside the frame, and the capture rate typed for
// a slow-motion clip that carries none.
#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "tests/support/form1_fixture.h"

namespace {

class FrameTimingTest : public Form1Test {
  protected:
    // Opens a clip whose service tells this timing (an interval "" for a service that does
    // not know the question).
    void open(const char* interval, bool variable, double capture, bool avi) {
        QFile file(clip_path(QStringLiteral("timing.clip")));
        file.open(QIODevice::WriteOnly);
        file.write(avi ? QByteArray("RIFF\0\0\0\0AVI LIST", 16)
                       : QByteArray("\0\0\0\x18"
                                    "ftyp"));
        file.close();
        ScriptedMediaService::Clip clip;
        const double seconds = reply_to_seconds(interval).value_or(0);
        for (int i = 0; i < 31; ++i) clip.times.push_back(variable ? i * i / 900.0 : i * seconds);
        clip.interval = interval;
        clip.variable = variable;
        clip.capture = capture;
        svc.clip = clip;
        if (!*interval) svc.answer("status avfile frame interval", 263);
        desk.open_answers.push_back(file.fileName());
        svc.answer("where avfile source", 0, "0 0 320 240");
        f->mnuopen_Click();
    }
};

TEST_F(FrameTimingTest, OpeningAClipChoosesItsTiming) {
    struct Case {
        const char* what;
        const char* interval;
        bool variable;
        double capture;
        bool avi;
        bool own;             // the clip's timing chosen by itself
        bool offered;         // the third choice and the capture rate shown
        const char* caption;  // of the third choice
        const char* note;
        const char* capture_text;
    };
    const Case cases[] = {
        {"60 fps", "1/60", false, 0, false, true, true, "1/60秒", "このビデオは 60 コマ/秒です",
         ""},
        {"filmed at 240, stored at 30", "1/30", false, 240, false, true, true, "1/240秒",
         "撮影 240 コマ/秒（再生 30 コマ/秒）", "240"},
        {"intervals that vary", "1/30", true, 0, false, true, true, "1/30秒",
         "コマの間隔が一定でないビデオです。時刻はビデオの時刻を使います", ""},
        {"29.97 fps AVI: as always", "1001/30000", false, 0, true, false, false, "1/29.97秒", "",
         ""},
        {"60 fps AVI", "1/60", false, 0, true, true, true, "1/60秒", "このビデオは 60 コマ/秒です",
         ""},
        {"30 fps of another kind: offered", "1/30", false, 0, false, false, true, "1/30秒", "", ""},
        {"15 fps", "1/15", false, 0, false, false, true, "1/15秒", "", ""},
        {"a tag that repeats the stored rate", "1/30", false, 30, false, false, true, "1/30秒", "",
         ""},
        {"a service that does not tell", "", false, 0, false, false, false, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f->Label10->clear();
        forget();
        open(c.interval, c.variable, c.capture, c.avi);
        const AnalysisState& s = state();
        EXPECT_EQ(f->Option3->isChecked(), c.own);
        EXPECT_EQ(f->Option1->isChecked(), !c.own);
        EXPECT_EQ(static_cast<bool>(s.clip_timing), c.own);
        EXPECT_EQ(s.frame_time_label, c.own ? c.caption : "1/30秒");
        EXPECT_EQ(f->Option3->isVisibleTo(f.get()) && f->Text5->isVisibleTo(f.get()), c.offered);
        EXPECT_EQ(f->Label10->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(f->Label12->text(), QString::fromUtf8(c.note));
        EXPECT_EQ(f->Text5->text(), QString::fromUtf8(c.capture_text));
        EXPECT_EQ(desk.beeps, 0);
    }
}

// Typed into the box, a capture rate selects the clip's timing and the times follow at once;
// a text that is no rate keeps the one in force and says why.
TEST_F(FrameTimingTest, ATypedCaptureRateTakesEffectAtOnce) {
    f->show();
    QApplication::setActiveWindow(f.get());
    open("1/30", false, 0, false);
    f->Text5->setFocus();
    QTest::keyClicks(f->Text5, QStringLiteral("240"));
    EXPECT_TRUE(f->Option3->isChecked() && state().clip_timing);
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 240));
    EXPECT_EQ(state().frame_time_label, "1/240秒");
    EXPECT_EQ(f->Label10->text() + " " + f->Label12->text(),
              QStringLiteral("1/240秒 撮影 240 コマ/秒（再生 30 コマ/秒）"));
    QTest::keyClicks(f->Text5, QStringLiteral("x"));
    EXPECT_EQ(state().capture_rate, 240.0f);
    EXPECT_TRUE(f->Label12->text().contains(QStringLiteral("1 から 100000 までの数")));
    QTest::mouseClick(f->Option1, Qt::LeftButton);
    EXPECT_FALSE(state().clip_timing);
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 30.0));
    EXPECT_TRUE(f->Label12->text().isEmpty());
    QTest::mouseClick(f->Option3, Qt::LeftButton);
    EXPECT_EQ(state().frame_time_label, "1/240秒");
    f->mnuclose_Click();  // the third choice belongs to the clip
    EXPECT_TRUE(f->Option1->isChecked() && !f->Option3->isVisible());
    EXPECT_EQ(state().frame_time_label, "1/30秒");
}

}  // namespace
