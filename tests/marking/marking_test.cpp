// The marking click and the length calibration with its dialog.
#include <QLabel>
#include <QTest>
#include <functional>

#include "tests/support/form1_fixture.h"

namespace {

class Marking : public Form1Test {
  protected:
    Marking() {
        open_and_play();
        journal_ticks(400);
    }
    void calibrate(const std::vector<QPointF>& clicks) {
        f->Cmd_Length2_Click();
        for (QPointF p : clicks) mark(static_cast<float>(p.x()), static_cast<float>(p.y()));
    }
};

TEST_F(Marking, AMarkStepsInsideThePacedWaitThenShowsTheFrame) {
    mark(98, 37, "2");
    EXPECT_EQ(journal, (Commands{"tick", "step avfile", "tick", "tick", "step avfile", "tick",
                                 "stop avfile", update_command()}));
    EXPECT_EQ(canvas(98, 37), rgb(pal::kLightYellow));
    // XOR on the white strip: bright white shows black, light yellow shows light blue.
    EXPECT_EQ(strip(98, 253), kBlackRgb);
    EXPECT_EQ(strip(332, 37), rgb(pal::kLightBlue));
}

// Mouse clicks on the picture box: a click on its 2-pixel border is outside the picture and
// records nothing; the drawing area runs from widget pixel 2 to 317.
TEST_F(Marking, ClicksOnTheBoxBorderAreNoMarks) {
    f->show();
    const struct {
        QPoint pixel;
        const char* x;  // the position shown, or nullptr for no mark
        const char* y;
    } clicks[] = {{{1, 0}, nullptr, nullptr},     {{0, 120}, nullptr, nullptr},
                  {{318, 120}, nullptr, nullptr}, {{150, 238}, nullptr, nullptr},
                  {{2, 2}, "7.90", "5.90"},       {{278, 198}, "1.00", "1.00"},
                  {{317, 237}, "0.03", "0.03"}};
    int marks = 0;
    for (const auto& c : clicks) {
        SCOPED_TRACE(testing::Message() << c.pixel.x() << ", " << c.pixel.y());
        f->Text1->clear();
        f->Text2->clear();
        QTest::mouseClick(f->Picture3, Qt::LeftButton, {}, c.pixel);
        if (c.x) ++marks;
        EXPECT_EQ(state().mark_count, marks);
        EXPECT_EQ(f->Text1->text(), QString::fromLatin1(c.x ? c.x : ""));
        EXPECT_EQ(f->Text2->text(), QString::fromLatin1(c.y ? c.y : ""));
    }
}

TEST_F(Marking, PositionsFollowTheAxisDirectionsWithAnyButton) {
    struct Case {
        bool from_left, from_top;
        float x, y, unit_x, unit_y;
        const char* texts;
    };
    const Case cases[] = {
        {false, false, 116, 36, 5.0f, 5.0f, "5.00 5.00"},
        {true, false, 116, 36, 3.0f, 5.0f, "3.00 5.00"},
        {false, true, 116, 36, 5.0f, 1.0f, "5.00 1.00"},
        {false, false, 316, 236, 0, 0, "0.00 0.00"},
        {false, false, 0, 0, 7.9f, 5.9f, "7.90 5.90"},
        {true, true, 0, 0, 0.1f, 0.1f, "0.10 0.10"},
    };
    int button = 1;
    for (const Case& c : cases) {
        state().mark_count = 0;
        f->x_from_left = c.from_left;
        f->y_from_top = c.from_top;
        mark(c.x, c.y, "0", button = button % 4 + 1);
        const AnalysisState& s = state();
        ASSERT_EQ(s.mark_count, 1) << button;
        EXPECT_FLOAT_EQ(s.unit_x[1], c.unit_x);
        EXPECT_FLOAT_EQ(s.unit_y[1], c.unit_y);
        EXPECT_FLOAT_EQ(s.pos_x[1], c.unit_x);  // scale 1.0 after the open
        EXPECT_EQ(f->Text1->text() + " " + f->Text2->text(), QString::fromLatin1(c.texts));
    }
}

TEST_F(Marking, MarkStepHoldsTheStepCountInForceAtTheNextClick) {
    state().mark_step[0] = 99;
    mark(10, 10, "2");
    mark(20, 20, "3");
    forget();
    mark(30, 30, "0");
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));  // no advance
    const AnalysisState& s = state();
    EXPECT_EQ(std::vector<int>(s.mark_step.begin(), s.mark_step.begin() + 3),
              (std::vector<int>{0, 3, 0}));
}

TEST_F(Marking, RefusedClicksLeaveNoTrace) {
    struct Case {
        const char* what;
        const char* frames;
        std::function<void()> setup;
        bool message;
    };
    const Case cases[] = {
        {"not played", "2", [this] { f->marking_enabled = false; }, false},
        {"calibrating instead", "2", [this] { f->Cmd_Length2_Click(); }, false},
        {"100 marks", "2", [] { state().mark_count = 100; }, true},
        {"frames not a number", "abc", [] {}, true},
        {"frames negative", "-1", [] {}, true},
        {"frames beyond 16 bits", "40000", [] {}, true},
        {"step time 0", "2", [this] { f->Text4->setText(QStringLiteral("0")); }, true},
    };
    for (const Case& c : cases) {
        f = std::make_unique<Form1>();
        f->Form_Activate();
        f->marking_enabled = true;
        state() = AnalysisState{};
        c.setup();
        const std::int16_t count = state().mark_count;
        const QImage strip_before = f->Picture2->image();
        forget();
        mark(98, 37, c.frames);
        EXPECT_EQ(state().mark_count, count) << c.what;
        EXPECT_EQ(svc.commands, Commands{}) << c.what;
        EXPECT_EQ(desk.messages.size(), c.message ? 1u : 0u) << c.what;
        EXPECT_TRUE(f->Picture2->image() == strip_before && f->Text1->text().isEmpty()) << c.what;
        EXPECT_NE(canvas(98, 37), rgb(pal::kLightYellow)) << c.what;
    }
}

TEST_F(Marking, CalibrationPairsDrawAndMeasureAndTheThirdClickRefreshes) {
    f->mark_cx[1] = f->mark_cy[1] = 50;
    state().mark_count = 1;
    f->marking_enabled = false;  // calibration does not need it
    f->y_from_top = true;        // nor do the axis directions change it
    form4()->Text1->setText(QStringLiteral("12"));
    forget();
    calibrate({{16, 100}, {216, 100}});
    const AnalysisState& s = state();
    EXPECT_FLOAT_EQ(s.calib_x[1], 7.5f);
    EXPECT_FLOAT_EQ(s.calib_y[1], 3.4f);
    EXPECT_FLOAT_EQ(s.calib_unit_len, 5.0f);
    for (int x : {16, 116, 215}) EXPECT_EQ(canvas(x, 100), rgb(pal::kLightGreen)) << x;
    EXPECT_EQ(canvas(116, 101), kWhite);
    EXPECT_TRUE(svc.commands.empty() && s.mark_count == 1);
    EXPECT_TRUE(form4()->isVisible() && form4()->Text1->text() == QStringLiteral("12"));

    mark(100, 200);
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(canvas(116, 100), kWhite);
    EXPECT_EQ(canvas(50, 50), rgb(pal::kLightYellow));
    EXPECT_FLOAT_EQ(s.calib_unit_len, 5.0f);
    mark(100, 120);
    EXPECT_FLOAT_EQ(s.calib_unit_len, 2.0f);

    state().calib_clicks = 100;  // a 101st click is refused
    mark(5, 5);
    EXPECT_EQ(s.calib_clicks, 100);
    EXPECT_EQ(desk.messages.size(), 1u);
}

TEST_F(Marking, WorkedCalibrationExample) {
    calibrate({{16, 100}, {216, 100}});
    form4()->Text1->setText(QStringLiteral("50"));
    form4()->Cmd_close->click();
    EXPECT_FLOAT_EQ(state().scale_m_per_unit, 0.1f);
    EXPECT_FALSE(state().calib_mode || form4().loaded());
    mark(236, 236);  // two ruler units from the origin
    EXPECT_EQ(f->Text1->text(), QStringLiteral("0.20"));
}

TEST_F(Marking, ClosingTheDialogNeverLeavesAnUnusableScale) {
    const QPointF a(16, 100), b(216, 100);
    struct Case {
        const char* length;
        std::vector<QPointF> clicks;
        float scale;    // 0.25 before
        bool accepted;  // else a message, and calibration goes on
    };
    const Case cases[] = {
        {"", {}, 1.0f, true},
        {"  ", {a, b}, 1.0f, true},
        {"50", {a, b}, 0.1f, true},
        {"５０", {a, b}, 0.1f, true},
        {"50", {a, b, a}, 0.1f, true},
        {"abc", {a, b}, 0.25f, false},
        {"0", {a, b}, 0.25f, false},
        {"-5", {a, b}, 0.25f, false},
        {"50", {}, 0.25f, false},
        {"50", {a}, 0.25f, false},
        {"50", {a, a}, 0.25f, false},
        {"1e300", {a, b}, 0.25f, false},  // a scale beyond single precision
    };
    for (const Case& c : cases) {
        form4().destroy();
        state().calib_unit_len = 0;
        state().scale_m_per_unit = 0.25f;
        calibrate(c.clicks);
        forget();
        form4()->Text1->setText(QString::fromUtf8(c.length));
        form4()->Cmd_close_Click();
        EXPECT_FLOAT_EQ(state().scale_m_per_unit, c.scale) << c.length;
        EXPECT_EQ(static_cast<bool>(state().calib_mode), !c.accepted) << c.length;
        EXPECT_EQ(form4().loaded(), !c.accepted) << c.length;
        EXPECT_EQ(desk.messages.size(), c.accepted ? 0u : 1u) << c.length;
    }
    form4()->Text1->clear();
    form4()->close();  // the close box acts as the button
    EXPECT_FALSE(state().calib_mode || form4().loaded());
}

TEST_F(Form1Test, DialogTexts) {
    Form4& d = form4().get();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("長さの設定"));
    EXPECT_EQ(d.Label1->text(), QStringLiteral("右の画面上の２点をクリックして，") +
                                    QString(14, QChar(0x3000)) +
                                    QStringLiteral("その実際の長さを下に入力してください。"));
    EXPECT_EQ(d.Label2->text() + d.Cmd_close->text() + d.Text1->text(),
              QStringLiteral("cｍ閉じる"));
    EXPECT_EQ(d.size(), QSize(303, 74));
    EXPECT_EQ(d.Cmd_close->geometry(), QRect(216, 32, 73, 33));
}

}  // namespace
