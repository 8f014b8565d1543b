// The graph windows with the earlier edition's settings: ruler units, a fixed frame interval
// of 1/30 s, one layout without table buttons, and an x-t fit that leaves the v-t window alone.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "graph_fixture.h"
#include "graphs/acceleration_text.h"
#include "graphs/graph_frame.h"
#include "graphs/graph_mapping.h"
#include "platform/palette.h"

namespace {

const GraphSettings kKelmaro = kelmaro_graph_settings();

TEST(EarlierEditionNumbers, VtAxisCountsTwentyRulerUnitsPerSecondADivision) {
    struct Case {
        double v;
        float tate;
        float y;
    };
    const Case cases[] = {
        {0, 1, 230}, {20, 1, 194}, {-20, 1, 266}, {100, 1, 50}, {20, 2, 158}, {20, 0.5f, 212},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(value_to_y(c.v, kKelmaro.vt_axis, c.tate), c.y) << c.v << " " << c.tate;

    struct Label {
        int i;
        float tate;
        const char* text;
    };
    const Label labels[] = {
        {0, 1, "-100.0"}, {4, 1, "-20.0"}, {5, 1, "0.0"},    {6, 1, "20.0"},
        {10, 1, "100.0"}, {0, 2, "-50.0"}, {10, 256, "0.4"}, {10, 0.125f, "800.0"},
    };
    for (const Label& l : labels)
        EXPECT_EQ(value_scale_text(l.i, kKelmaro.vt_axis, l.tate), l.text) << l.i << " " << l.tate;
}

TEST(EarlierEditionNumbers, AccelerationsShowOneDecimal) {
    const std::pair<float, const char*> cases[] = {
        {9.8f, "9.8"}, {-9.8f, "-9.8"}, {22.5f, "22.5"}, {1234.56f, "1234.6"}};
    for (const auto& [a, text] : cases)
        EXPECT_EQ(
            acceleration_text({LineFit::Outcome::kFitted, a, 0}, kKelmaro.acceleration_format),
            text);
}

// Each test runs with the earlier edition's settings and leaves Kinvora's behind.
class EarlierEdition : public GraphTest {
  protected:
    void SetUp() override {
        GraphTest::SetUp();
        use_graph_settings(kelmaro_graph_settings());
    }
    void TearDown() override {
        GraphTest::TearDown();
        use_graph_settings(kinvora_graph_settings());
    }

    // Marks as the earlier edition's main window stores them: positions in ruler units. The
    // ruler units and scale of the current edition hold other values, which must not be used.
    static void set_positions(std::initializer_list<std::pair<float, float>> marks, int step) {
        set_marks(marks, step);
        AnalysisState& s = state();
        for (int i = 1; i <= s.mark_count; ++i) {
            s.pos_x[i] = s.unit_x[i];
            s.pos_y[i] = s.unit_y[i];
        }
        s.scale_m_per_unit = 100;
    }

    // The text as the surface prints it at (x, y), size 10, on a white surface.
    static QImage printed(const GraphWindow& w, QRect area, QColor color,
                          std::initializer_list<std::pair<QPointF, QString>> texts) {
        PictureBox reference;
        reference.set_outer_size(w.Picture1->outer_width(), w.Picture1->outer_height());
        reference.set_user_scale(0, 0, graph::kScaleWidth, graph::kScaleHeight);
        reference.cls();
        reference.set_font_size(10);
        reference.set_fore_color(color);
        for (const auto& [at, text] : texts) {
            reference.set_current(at.x(), at.y());
            reference.print(text);
        }
        return reference.image().copy(area);
    }

    static GraphWindow& window(int form) {
        return form == 2 ? static_cast<GraphWindow&>(form2().get())
                         : static_cast<GraphWindow&>(form3().get());
    }
};

TEST_F(EarlierEdition, WindowsShareOneLayoutWithoutTableButtons) {
    Form2& vt = form2().get();
    Form3& st = form3().get();
    EXPECT_EQ(vt.windowTitle(), "v-tグラフ");
    EXPECT_EQ(st.windowTitle(), "s-tグラフ");
    EXPECT_EQ(vt.pos(), st.pos());  // both centred, the x-t window without offset
    EXPECT_EQ(vt.Cmd_vt_table, nullptr);
    EXPECT_EQ(st.Cmd_data, nullptr);
    for (GraphWindow* w : {static_cast<GraphWindow*>(&vt), static_cast<GraphWindow*>(&st)}) {
        EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("Cmd_vt表")), nullptr);
        EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("Cmd_data")), nullptr);
        EXPECT_EQ(w->findChildren<QPushButton*>().size(), 6);
        // Where the row differs from the current edition's.
        const std::pair<QWidget*, QRect> controls[] = {
            {w->Cmd_close, {608, 520, 89, 33}}, {w->Text1, {432, 520, 49, 25}},
            {w->Label1, {384, 528, 49, 17}},    {w->Text2, {528, 520, 49, 25}},
            {w->Label2, {488, 528, 41, 17}},
        };
        for (const auto& [control, px] : controls)
            EXPECT_EQ(control->geometry(), px) << control->objectName().toStdString();
    }
}

TEST_F(EarlierEdition, PositionsAsStoredAndTimesAtOneThirtiethWhateverTheStateSays) {
    const std::pair<float, const char*> intervals[] = {{1.0f / 30, "1/30秒"},
                                                       {1.0f / 15, "1/15秒"}};
    for (const auto& [frame_time, label] : intervals) {
        reset();
        set_positions({{0, 0}, {2, -2}, {6, -6}}, 3);
        state().frame_time = frame_time;
        state().frame_time_label = label;
        form3()->Form_Activate();
        form2()->Form_Activate();
        const AnalysisState& s = state();
        EXPECT_FLOAT_EQ(s.pos_x[2], 2) << label;
        EXPECT_FLOAT_EQ(s.mark_time[2], 0.1f) << label;
        EXPECT_FLOAT_EQ(s.mark_time[3], 0.2f) << label;
        EXPECT_FLOAT_EQ(s.vel_x[1], 20) << label;
        EXPECT_FLOAT_EQ(s.vel_y[2], -40) << label;
        EXPECT_FLOAT_EQ(s.vel_time[1], 0.05f) << label;
        EXPECT_FLOAT_EQ(s.vel_time[2], 0.15f) << label;
        // 20 units/s one division above the zero line, -20 one below, at t = 0.05 s.
        EXPECT_EQ(pixel(form2().get(), 91, 194), kBlack) << label;
        EXPECT_EQ(pixel(form2().get(), 91, 266), kLightBlue) << label;
        // Mark 2 of the x-t window: t = 0.1 s, x = 2 units.
        EXPECT_EQ(pixel(form3().get(), 132, 302), kBlack) << label;
    }
}

TEST_F(EarlierEdition, FramesPrintRulerUnitsAndTheFixedInterval) {
    state().frame_time = 1.0f / 15;
    state().frame_time_label = "1/15秒";
    struct Case {
        int form;
        QPointF at;
        QString text;
    };
    const Case cases[] = {
        {3, {570, 440}, QStringLiteral("×1/30秒")},
        {2, {570, 440}, QStringLiteral("×1/30秒")},
        {3, {10, 14}, QStringLiteral("単位長")},
        {2, {10, 14}, QStringLiteral("単位長/s")},
    };
    const QColor black = palette_color(pal::kBlack);
    for (const Case& c : cases) {
        GraphWindow& w = window(c.form);
        w.Form_Activate();
        const QRect area = c.at.y() > 400 ? QRect(565, 438, 72, 23) : QRect(0, 0, 260, 40);
        const QImage expected = printed(w, area, black, {{c.at, c.text}});
        ASSERT_NE(expected, QImage(expected.size(), expected.format()));
        EXPECT_EQ(w.Picture1->image().copy(area), expected) << c.text.toStdString();
    }
}

TEST_F(EarlierEdition, AccelerationOfNinePointEightInRulerUnits) {
    // Velocities 0 and 0.98 units/s at 0.05 s and 0.15 s: a = 9.8 units/s².
    for (int form : {2, 3}) {
        reset();
        set_positions({{0, 0}, {0, 0}, {0.098f, 0.098f}}, 3);
        GraphWindow& w = window(form);
        w.Form_Activate();
        w.Cmd_least_squares_Click();
        EXPECT_NEAR(w.Saisyo_ax, 9.8f, 1e-4) << form;
        const QRect row_x(450, 8, 187, 18);
        const QImage expected = printed(w, row_x, color_value(10),
                                        {{{450, 10}, QStringLiteral("加速度aｘ=")},
                                         {{515, 10}, QStringLiteral("9.8")},
                                         {{555, 10}, QStringLiteral("単位長／ｓｓ")}});
        EXPECT_EQ(w.Picture1->image().copy(row_x), expected) << form;
    }
}

TEST_F(EarlierEdition, XtFitLeavesTheVtWindowUnmade) {
    set_positions({{0, 0}, {1, 2}, {3, 5}}, 2);
    state().frame_time = 1.0f / 15;
    Form3& st = form3().get();
    st.Form_Activate();
    st.Cmd_least_squares_Click();
    EXPECT_FALSE(form2().loaded());
    EXPECT_FALSE(st.Picture1->auto_redraw());
    EXPECT_FLOAT_EQ(state().vel_time[1], 1.0f / 30);
    EXPECT_TRUE(st.x_fit().fitted());
}

}  // namespace
