// The graph windows: load, controls, close, magnification buttons, activation and the
// plotted points.
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "graph_fixture.h"

namespace {

using GraphWindows = GraphTest;

TEST_F(GraphWindows, LoadSetsCaptionsControlsAndPlacement) {
    Form2& vt = form2().get();
    Form3& st = form3().get();
    EXPECT_EQ(vt.windowTitle(), "v-tグラフ");
    EXPECT_EQ(st.windowTitle(), "x-t ,  y-t グラフ");
    EXPECT_EQ(vt.pos() - st.pos(), QPoint(-53, 27));  // 800 twips left, 400 down of Form3
    EXPECT_EQ(vt.Picture1->geometry(), QRect(48, 32, 641, 465));
    EXPECT_EQ(vt.Picture1->area_size(), QSize(637, 461));

    struct Case {
        GraphWindow& w;
        const char* name;
        QRect twips_px;
        QString text;
    };
    const Case cases[] = {
        {vt, "Cmd_close", {656, 520, 65, 33}, "閉じる"},
        {st, "Cmd_close", {648, 520, 73, 33}, "閉じる"},
        {vt, "Cmd_最小2乗法", {40, 520, 89, 33}, "最小２乗法"},
        {st, "Cmd_small", {152, 520, 57, 33}, "縦縮小"},
        {vt, "Cmd_large", {208, 520, 49, 33}, "縦拡大"},
        {vt, "Cmd_small_yoko", {272, 520, 49, 33}, "横縮小"},
        {st, "Cmd_large_yoko", {320, 520, 49, 33}, "横拡大"},
        {vt, "Cmd_vt表", {568, 520, 73, 33}, "表（データ）"},
        {st, "Cmd_data", {560, 520, 73, 33}, "表（データ）"},
    };
    for (const Case& c : cases) {
        auto* b = c.w.findChild<QPushButton*>(QString::fromUtf8(c.name));
        ASSERT_NE(b, nullptr) << c.name;
        EXPECT_EQ(b->geometry(), c.twips_px) << c.name;
        EXPECT_EQ(b->text(), c.text) << c.name;
    }
    EXPECT_EQ(st.Text1->geometry(), QRect(424, 520, 33, 25));
    EXPECT_EQ(vt.Text2->geometry(), QRect(512, 520, 33, 25));
    EXPECT_EQ(st.Label2->text(), "横倍率");
    EXPECT_EQ(vt.Text1->font().family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(vt.Text1->font().pointSize(), 12);
    EXPECT_TRUE(vt.Text2->font().bold());
    EXPECT_EQ(vt.Text1->text(), "1");
    EXPECT_FALSE(vt.Saisyo_shown);
}

TEST_F(GraphWindows, CloseUnloadsAndTheNextUseStartsAfresh) {
    set_marks({{1, 1}, {2, 2}, {3, 3}}, 2);
    Form3& first = form3().get();
    first.Cmd_large_Click();
    first.Cmd_least_squares_Click();
    first.Cmd_close_Click();
    EXPECT_FALSE(form3().loaded());
    Form3& second = form3().get();
    EXPECT_NE(&second, &first);
    EXPECT_EQ(second.Text1->text(), "1");
    EXPECT_FLOAT_EQ(second.Tate_bai, 1);
    EXPECT_FALSE(second.Saisyo_shown);
}

TEST_F(GraphWindows, TableButtonsCallTheEditionsHook) {
    int vt_calls = 0, st_calls = 0;
    form2()->Cmd_vt_table->click();  // nothing set: nothing happens
    form2()->on_table_button = [&] { ++vt_calls; };
    form3()->on_table_button = [&] { ++st_calls; };
    form2()->Cmd_vt_table->click();
    form3()->Cmd_data->click();
    form3()->Cmd_data->click();
    EXPECT_EQ(vt_calls, 1);
    EXPECT_EQ(st_calls, 2);
}

TEST_F(GraphWindows, VerticalButtonsDoubleAndHalveWithinTheirLimits) {
    set_marks({{1, 1}}, 1);
    Form2& w = form2().get();
    w.Form_Activate();
    const char* up[] = {"2", "4", "8", "16", "32", "64", "128", "256"};
    for (const char* text : up) {
        put_marker(w);
        w.Cmd_large_Click();
        EXPECT_EQ(w.Text1->text(), text);
        EXPECT_TRUE(marker_gone(w)) << text;
    }
    put_marker(w);
    w.Cmd_large_Click();
    EXPECT_EQ(w.Text1->text(), "256");
    EXPECT_FLOAT_EQ(w.Tate_bai, 256);
    EXPECT_FALSE(marker_gone(w));

    w.Tate_bai = 1;
    const char* down[] = {"0.5", "0.25", "0.125"};
    for (const char* text : down) {
        put_marker(w);
        w.Cmd_small_Click();
        EXPECT_EQ(w.Text1->text(), text);
        EXPECT_TRUE(marker_gone(w)) << text;
    }
    put_marker(w);
    w.Cmd_small_Click();
    EXPECT_EQ(w.Text1->text(), "0.125");
    EXPECT_FLOAT_EQ(w.Tate_bai, 0.125f);
    EXPECT_FALSE(marker_gone(w));
}

TEST_F(GraphWindows, HorizontalButtonsWalkThroughFractionsAndWholeNumbers) {
    set_marks({{1, 1}}, 1);
    Form3& w = form3().get();
    w.Form_Activate();
    for (const char* text : {"1/2", "1/3", "1/4"}) {
        put_marker(w);
        w.Cmd_small_yoko_Click();
        EXPECT_EQ(w.Text2->text(), text);
        EXPECT_TRUE(marker_gone(w));
    }
    for (const char* text : {"1/3", "1/2", "1", "2", "3"}) {
        w.Cmd_large_yoko_Click();
        EXPECT_EQ(w.Text2->text(), text);
    }
    EXPECT_FLOAT_EQ(w.Yoko_bai, 3);
}

TEST_F(GraphWindows, HorizontalButtonsIgnoreAPressBeyondSixteenBits) {
    set_marks({{1, 1}}, 1);
    Form3& w = form3().get();
    w.Form_Activate();
    w.Yoko_step = 32767;
    w.Yoko_bai = 32767;
    w.Cmd_large_yoko_Click();
    EXPECT_EQ(w.Yoko_step, 32767);
    w.Yoko_step = -32765;
    w.Yoko_bai = 1.0f / 32767;
    w.Cmd_small_yoko_Click();
    EXPECT_EQ(w.Yoko_step, -32765);
    w.Cmd_large_yoko_Click();
    EXPECT_EQ(w.Yoko_step, -32764);
    EXPECT_EQ(w.Text2->text(), "1/32766");
}

TEST_F(GraphWindows, ActivationFitsTheTimeAxisOnceAndAgainAfterReturning) {
    set_marks({}, 2);
    for (int i = 0; i < 25; ++i) {
        AnalysisState& s = state();
        ++s.mark_count;
        s.unit_x[s.mark_count] = 1;
        s.mark_step[s.mark_count - 1] = s.mark_count == 1 ? 0 : 2;
    }
    Form3& w = form3().get();
    w.Form_Activate();
    EXPECT_EQ(w.Text2->text(), "1/3");
    EXPECT_EQ(w.Yoko_step, -1);
    w.Cmd_large_yoko_Click();  // the user's choice holds until the next activation
    w.Cmd_large_yoko_Click();
    EXPECT_EQ(w.Text2->text(), "1");
    w.Form_Activate();
    EXPECT_EQ(w.Text2->text(), "1/3");

    state().mark_count = 11;  // ten frames in all
    for (int i = 1; i <= 10; ++i) state().mark_step[i] = 1;
    w.Cmd_close_Click();
    Form3& again = form3().get();
    again.Form_Activate();
    EXPECT_EQ(again.Text2->text(), "1");
}

// The window system reports the program regaining the focus from another application as an
// activation of the window that was active; only coming from another window of the program is
// one for the graph window.
TEST_F(GraphWindows, OnlyAReturnFromAnotherWindowOfTheProgramActivates) {
    const auto activate = [](QWidget& window) {
        QEvent e(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &e);
    };
    set_marks({{0, 0}, {1, 1}, {2, 4}}, 2);
    QWidget main_window;
    for (int form = 0; form < 2; ++form) {
        GraphWindow& w = form == 0 ? static_cast<GraphWindow&>(form2().get())
                                   : static_cast<GraphWindow&>(form3().get());
        activate(main_window);
        activate(w);
        EXPECT_EQ(pixel(w, 50, 50), kBlack) << form;  // the first activation draws
        w.Cmd_least_squares_Click();
        const QImage with_fit = w.Picture1->image();
        activate(w);  // back from another application: the fit stays
        EXPECT_EQ(w.Picture1->image(), with_fit) << form;
        activate(main_window);
        activate(w);  // back from the main window: redrawn without the fit
        EXPECT_NE(w.Picture1->image(), with_fit) << form;
    }
}

TEST_F(GraphWindows, FrameCountsBeyondSixteenBitsKeepTheWindowWorking) {
    set_marks({{1, 1}, {2, 4}, {3, 3}}, 32767);
    Form3& st = form3().get();
    st.Form_Activate();
    EXPECT_EQ(st.Text2->text(), "1/3277");
    EXPECT_EQ(pixel(st, 325, 302), kBlack);  // mark 2, half way
    EXPECT_EQ(pixel(st, 325, 230), kLightBlue);
    st.Cmd_least_squares_Click();
    EXPECT_EQ(st.x_fit().outcome, LineFit::Outcome::kFitted);
}

TEST_F(GraphWindows, PointsLieWhereTheMappingPutsThem) {
    set_marks({{0, 1}, {1, 2}, {2, 3}}, 2);
    Form3& st = form3().get();
    st.Form_Activate();
    EXPECT_EQ(pixel(st, 50, 338), kLightBlue);   // mark 1, y = 1 m
    EXPECT_EQ(pixel(st, 50, 374), kBlack);       // mark 1, x = 0 m
    EXPECT_EQ(pixel(st, 105, 302), kLightBlue);  // two frames later, y = 2 m
    EXPECT_EQ(pixel(st, 105, 338), kBlack);      // and x = 1 m: black covers blue
    EXPECT_EQ(pixel(st, 107, 302), kLightBlue);  // radius 2
    EXPECT_EQ(pixel(st, 108, 302), kWhite);
    EXPECT_FLOAT_EQ(state().mark_time[3], 4.0f / 30);

    // The v-t window: 3 m/s in x, -3 m/s in y over the first interval (0.2 m in 2 frames).
    set_marks({{0, 0}, {0.2f, -0.2f}}, 2);
    Form2& vt = form2().get();
    vt.Form_Activate();
    EXPECT_EQ(pixel(vt, 78, 194), kBlack);  // at 1/30 s: X = 77.5
    EXPECT_EQ(pixel(vt, 78, 266), kLightBlue);
}

TEST_F(GraphWindows, EachSeriesStopsAtItsFirstPointOutsideTheBox) {
    // y leaves the box (above 9 m) at mark 5 and comes back; x stays inside. One frame apart:
    // X = 50, 77.5, 105, 132.5, 160, 187.5, 215.
    set_marks({{0.5f, 1.5f},
               {0.5f, 2.5f},
               {0.5f, 3.5f},
               {0.5f, 4.5f},
               {0.5f, 10},
               {0.5f, 5.5f},
               {0.5f, 6.5f}},
              1);
    const int xs[] = {50, 78, 105, 133, 160, 188, 215};
    Form3& st = form3().get();
    st.Form_Activate();
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(pixel(st, xs[i - 1], 374 - 36 * i - 18), kLightBlue) << i;
    EXPECT_EQ(pixel(st, 188, 176), kWhite);  // mark 6 at 5.5 m: not drawn
    EXPECT_EQ(pixel(st, 217, 140), kWhite);  // mark 7 at 6.5 m
    for (int x : xs) EXPECT_EQ(pixel(st, x, 356), kBlack) << x;

    st.Cmd_large_Click();  // mark 4 at 4.5 m now on the top edge: still drawn
    EXPECT_EQ(pixel(st, 133, 50), kLightBlue);
    st.Cmd_small_Click();
    st.Cmd_small_Click();  // at 0.5 every y point is inside again
    EXPECT_EQ(pixel(st, 160, 194), kLightBlue);
    EXPECT_EQ(pixel(st, 189, 275), kLightBlue);
    EXPECT_EQ(pixel(st, 216, 257), kLightBlue);
}

TEST_F(GraphWindows, ZeroFrameGapIsNeitherPlottedNorFitted) {
    set_marks({{0, 0}, {0.1f, 0}, {0.1f, 0}, {0.35f, 0}}, 2);
    state().mark_step[2] = 0;
    Form2& vt = form2().get();
    vt.Form_Activate();
    EXPECT_TRUE(std::isnan(state().vel_x[2]));
    EXPECT_EQ(pixel(vt, 78, 212), kBlack);   // 1.5 m/s at 1/30 s
    EXPECT_EQ(pixel(vt, 133, 185), kBlack);  // after the gap: 3.75 m/s at 3/30 s
    vt.Cmd_least_squares_Click();
    ASSERT_TRUE(vt.x_fit().fitted());
    EXPECT_NEAR(vt.Saisyo_ax, 33.75f, 1e-3);
}

}  // namespace
