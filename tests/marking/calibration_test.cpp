// Length calibration: the clicks, their drawing and distance, and the dialog that turns the
// typed length into the scale (or says why it cannot).
#include <QLabel>

#include "platform/twips.h"
#include "tests/support/form1_fixture.h"

namespace {

using Commands = std::vector<std::string>;

class Calibration : public Form1Test {
protected:
    Calibration() {
        open_and_play();
        f->Cmd_Length2_Click();
        forget();
    }
    void click(float x, float y) { f->Picture3_MouseDown(1, 0, x, y); }
    void pair_200_pixels() {
        click(16, 100);
        click(216, 100);
    }
    Form4& dialog() { return form4().get(); }
};

TEST_F(Calibration, StartShowsTheDialogAndCountsAfresh) {
    state().calib_clicks = 5;
    dialog().Text1->setText(QStringLiteral("30"));
    f->Cmd_Length2_Click();
    EXPECT_TRUE(state().calib_mode);
    EXPECT_EQ(state().calib_clicks, 0);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().Text1->text(), QStringLiteral("30"));
}

TEST_F(Calibration, APairDrawsItsLineAndSetsTheDistance) {
    const QImage strip_before = f->Picture2->image();
    dialog().Text1->setText(QStringLiteral("12"));
    pair_200_pixels();
    const AnalysisState& s = state();
    EXPECT_EQ(s.calib_clicks, 2);
    EXPECT_FLOAT_EQ(s.calib_x[1], 7.5f);
    EXPECT_FLOAT_EQ(s.calib_y[1], 3.4f);
    EXPECT_FLOAT_EQ(s.calib_unit_len, 5.0f);
    for (int x : {16, 116, 215}) EXPECT_EQ(canvas(x, 100), rgb(pal::kLightGreen)) << x;
    EXPECT_EQ(canvas(16, 103), rgb(pal::kLightGreen));
    EXPECT_EQ(canvas(116, 101), kWhite);
    EXPECT_EQ(s.mark_count, 0);
    EXPECT_EQ(svc.commands, Commands{});
    EXPECT_TRUE(f->Picture2->image() == strip_before);
    // The dialog stays in view with what the user typed.
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().Text1->text(), QStringLiteral("12"));
}

TEST_F(Calibration, TheThirdClickRefreshesTheCanvas) {
    f->mark_cx[1] = 50;
    f->mark_cy[1] = 50;
    state().mark_count = 1;
    pair_200_pixels();
    click(100, 200);
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()}));
    EXPECT_EQ(canvas(16, 100), kWhite);
    EXPECT_EQ(canvas(116, 100), kWhite);
    EXPECT_EQ(canvas(100, 200), rgb(pal::kLightGreen));
    EXPECT_EQ(canvas(50, 50), rgb(pal::kLightYellow));
    EXPECT_FLOAT_EQ(state().calib_unit_len, 5.0f);
    click(100, 120);
    EXPECT_FLOAT_EQ(state().calib_unit_len, 2.0f);
}

TEST_F(Calibration, ClicksWorkBeforePlayAndIgnoreTheAxisDirections) {
    f->marking_enabled = false;
    f->x_from_left = true;
    f->y_from_top = true;
    f->Text3->setText(QStringLiteral("5"));
    click(16, 100);
    EXPECT_EQ(f->step_frames, 5);
    EXPECT_FLOAT_EQ(state().calib_x[1], 7.5f);
    EXPECT_FLOAT_EQ(state().calib_y[1], 3.4f);
    EXPECT_EQ(state().mark_count, 0);
}

TEST_F(Calibration, AHundredAndFirstClickIsRefused) {
    state().calib_clicks = 100;
    click(16, 100);
    EXPECT_EQ(state().calib_clicks, 100);
    ASSERT_EQ(desk.messages.size(), 1u);
    EXPECT_EQ(canvas(16, 100), kWhite);
}

TEST_F(Calibration, TheWorkedExampleGivesATenthOfAMetrePerUnit) {
    pair_200_pixels();
    dialog().Text1->setText(QStringLiteral("50"));
    dialog().Cmd_close->click();
    EXPECT_FLOAT_EQ(state().scale_m_per_unit, 0.1f);
    EXPECT_FALSE(state().calib_mode);
    EXPECT_FALSE(form4().loaded());
    // A mark two ruler units from the origin lies at 0.2 m.
    f->Text3->setText(QStringLiteral("0"));
    click(236, 236);
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(f->Text1->text(), QStringLiteral("0.20"));
}

struct CloseCase {
    const char* what;
    const char* length;
    std::vector<QPointF> clicks;
    float scale;     // afterwards; 0.25 was set before
    bool accepted;   // calibration ends and the dialog unloads; else a message
};

TEST_F(Calibration, ClosingTheDialog) {
    const QPointF a(16, 100), b(216, 100);
    const CloseCase cases[] = {
        {"empty text", "", {}, 1.0f, true},
        {"only blanks", "  ", {a, b}, 1.0f, true},
        {"length and pair", "50", {a, b}, 0.1f, true},
        {"full-width digits", "５０", {a, b}, 0.1f, true},
        {"odd click after a pair", "50", {a, b, QPointF(5, 5)}, 0.1f, true},
        {"not a number", "abc", {a, b}, 0.25f, false},
        {"zero", "0", {a, b}, 0.25f, false},
        {"negative", "-5", {a, b}, 0.25f, false},
        {"no pair", "50", {}, 0.25f, false},
        {"one point", "50", {a}, 0.25f, false},
        {"same point twice", "50", {a, a}, 0.25f, false},
    };
    for (const CloseCase& c : cases) {
        form4().destroy();
        state().calib_unit_len = 0;
        state().scale_m_per_unit = 0.25f;
        f->Cmd_Length2_Click();
        for (const QPointF& p : c.clicks) click(static_cast<float>(p.x()), static_cast<float>(p.y()));
        forget();
        dialog().Text1->setText(QString::fromUtf8(c.length));
        dialog().Cmd_close_Click();
        EXPECT_FLOAT_EQ(state().scale_m_per_unit, c.scale) << c.what;
        EXPECT_NE(state().calib_mode, c.accepted) << c.what;
        EXPECT_NE(form4().loaded(), c.accepted) << c.what;
        EXPECT_EQ(desk.messages.size(), c.accepted ? 0u : 1u) << c.what;
        if (!c.accepted) {
            EXPECT_EQ(dialog().Text1->text(), QString::fromUtf8(c.length)) << c.what;
        }
    }
}

TEST_F(Calibration, TheCloseBoxActsAsTheButton) {
    dialog().Text1->setText(QStringLiteral("abc"));
    dialog().close();
    EXPECT_TRUE(form4().loaded());
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(state().calib_mode);
    dialog().Text1->clear();
    dialog().close();
    EXPECT_FALSE(form4().loaded());
    EXPECT_FALSE(state().calib_mode);
    EXPECT_EQ(state().scale_m_per_unit, 1.0f);
}

TEST_F(Form1Test, DialogControlsAndTexts) {
    Form4& d = form4().get();
    EXPECT_EQ(d.windowTitle(), QStringLiteral("長さの設定"));
    EXPECT_EQ(d.Label1->text(), QStringLiteral("右の画面上の２点をクリックして，") +
                                    QString(14, QChar(0x3000)) +
                                    QStringLiteral("その実際の長さを下に入力してください。"));
    EXPECT_EQ(d.Label2->text(), QStringLiteral("cｍ"));
    EXPECT_EQ(d.Cmd_close->text(), QStringLiteral("閉じる"));
    EXPECT_TRUE(d.Text1->text().isEmpty());
    EXPECT_EQ(d.size(), QSize(twips_to_px(4545), twips_to_px(1110)));
    EXPECT_EQ(d.Label1->geometry(), QRect(8, 8, 289, 41));
    EXPECT_EQ(d.Text1->geometry(), QRect(72, 40, 41, 25));
    EXPECT_EQ(d.Label2->geometry(), QRect(120, 48, 41, 25));
    EXPECT_EQ(d.Cmd_close->geometry(), QRect(216, 32, 73, 33));
    EXPECT_FALSE(d.isVisible());
}

}  // namespace
