#include "graphs/graph_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

#include "graphs/acceleration_text.h"
#include "graphs/graph_frame.h"
#include "graphs/graph_mapping.h"
#include "graphs/graph_picture.h"
#include "platform/lazy_window.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "platform/program_activation.h"
#include "platform/twips_control.h"
#include "state/analysis.h"
#include "state/analysis_state.h"

namespace {
constexpr int kRowTop = 7800, kLabelTop = 7920;
constexpr int kButtonHeight = 495, kTextHeight = 375, kLabelHeight = 255;
constexpr float kTateMax = 256.0f, kTateMin = 0.125f;

QFont magnification_font() {
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSize(12);
    f.setBold(true);
    return f;
}
}  // namespace

GraphWindow::GraphWindow(const GraphLayout& layout, const ValueAxis& axis, const char* table_name)
    : settings_(graph_settings()), axis_(axis) {
    watch_program_activation();
    setWindowTitle(layout.caption);
    build_controls(layout, table_name);
    set_outer_size_twips(this, 11115, 8925);
    centre_on_screen_twips(this, layout.offset_left_twips, layout.offset_top_twips);
    Yoko_step = 1;
    Tate_bai = 1.0f;
    Yoko_bai = 1.0f;
    Saisyo_shown = false;
}

QPushButton* GraphWindow::make_button(const char* name, const QString& caption, int left,
                                      int width) {
    auto* b = make_twips_control<QPushButton>(this, name, left, kRowTop, width, kButtonHeight);
    b->setText(caption);
    return b;
}

void GraphWindow::build_controls(const GraphLayout& layout, const char* table_name) {
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->set_outer_size(twips_to_px(9615), twips_to_px(6975));
    Picture1->move(twips_to_px(720), twips_to_px(480));
    Picture1->set_back_color(palette_color(pal::kBrightWhite));
    if (layout.has_picture_save) Picture1->record_drawing();

    Cmd_close =
        make_button("Cmd_close", QStringLiteral("閉じる"), layout.close_left, layout.close_width);
    Cmd_least_squares = make_button("Cmd_最小2乗法", QStringLiteral("最小２乗法"), 600, 1335);
    Cmd_small = make_button("Cmd_small", QStringLiteral("縦縮小"), 2280, 855);
    Cmd_large = make_button("Cmd_large", QStringLiteral("縦拡大"), 3120, 735);

    Text1 = new QLineEdit(QStringLiteral("1"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(magnification_font());
    place_twips(Text1, layout.text1_left, kRowTop, layout.text1_width, kTextHeight);
    Label1 = new QLabel(QStringLiteral("縦倍率"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place_twips(Label1, layout.label1_left, kLabelTop, 735, kLabelHeight);

    Cmd_small_yoko = make_button("Cmd_small_yoko", QStringLiteral("横縮小"), 4080, 735);
    Cmd_large_yoko = make_button("Cmd_large_yoko", QStringLiteral("横拡大"), 4800, 735);

    Text2 = new QLineEdit(QStringLiteral("1"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setFont(magnification_font());
    place_twips(Text2, layout.text2_left, kRowTop, layout.text2_width, kTextHeight);
    Label2 = new QLabel(QStringLiteral("横倍率"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place_twips(Label2, layout.label2_left, kLabelTop, 615, kLabelHeight);

    if (layout.has_table_button) {
        table_button_ =
            make_button(table_name, QStringLiteral("表（データ）"), layout.table_left, 1095);
        connect(table_button_, &QPushButton::clicked, this, [this] { table_button_clicked(); });
    }

    if (layout.has_picture_save) {
        // Above the picture, at its right edge: nothing else is placed there.
        Cmd_save_image =
            make_twips_control<QPushButton>(this, "Cmd_save_image", 9000, 60, 1335, 375);
        Cmd_save_image->setText(QStringLiteral("画像の保存"));
        connect(Cmd_save_image, &QPushButton::clicked, this, [this] { Cmd_save_image_Click(); });
        connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this,
                [this] { Cmd_save_image_Click(); });
    }

    // Tab goes from the picture to the close button, then along the bottom row's buttons and
    // boxes, ending on the table button when there is one; the labels take no focus.
    QWidget* order[] = {Picture1, Cmd_close,      Cmd_least_squares, Cmd_small, Cmd_large,
                        Text1,    Cmd_small_yoko, Cmd_large_yoko,    Text2,     table_button_};
    for (std::size_t i = 1; i < std::size(order) && order[i]; ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    connect(Cmd_close, &QPushButton::clicked, this, [this] { Cmd_close_Click(); });
    connect(Cmd_least_squares, &QPushButton::clicked, this, [this] { Cmd_least_squares_Click(); });
    connect(Cmd_small, &QPushButton::clicked, this, [this] { Cmd_small_Click(); });
    connect(Cmd_large, &QPushButton::clicked, this, [this] { Cmd_large_Click(); });
    connect(Cmd_small_yoko, &QPushButton::clicked, this, [this] { Cmd_small_yoko_Click(); });
    connect(Cmd_large_yoko, &QPushButton::clicked, this, [this] { Cmd_large_yoko_Click(); });
}

double GraphWindow::frame_time() const {
    return settings_.fixed_frame_time.value_or(static_cast<double>(state().frame_time));
}

void GraphWindow::Form_Activate() {
    Yoko_fitted = false;
    run_data_routine();
}

void GraphWindow::Graph_bairitu(float&, float&) {
    run_data_routine();
    if (Saisyo_shown) Graph_saisyo();
}

void GraphWindow::Cmd_large_Click() {
    Tate_bai = 2 * Tate_bai;
    if (Tate_bai > kTateMax) {
        Tate_bai = kTateMax;
        Text1->setText(tate_text(Tate_bai));
        return;
    }
    Text1->setText(tate_text(Tate_bai));
    Graph_bairitu(Yoko_bai, Tate_bai);
}

void GraphWindow::Cmd_small_Click() {
    Tate_bai = Tate_bai / 2;
    Text1->setText(tate_text(Tate_bai));
    if (Tate_bai >= kTateMin) {
        Graph_bairitu(Yoko_bai, Tate_bai);
        return;
    }
    Tate_bai = kTateMin;
    Text1->setText(tate_text(Tate_bai));
}

void GraphWindow::Cmd_large_yoko_Click() {
    if (!yoko_step_can_move(Yoko_step, +1)) return;
    ++Yoko_step;
    Yoko_bai = yoko_bai_for(Yoko_step);
    Text2->setText(yoko_text(Yoko_step));
    Graph_bairitu(Yoko_bai, Tate_bai);
}

void GraphWindow::Cmd_small_yoko_Click() {
    if (!yoko_step_can_move(Yoko_step, -1)) return;
    --Yoko_step;
    Yoko_bai = yoko_bai_for(Yoko_step);
    Text2->setText(yoko_text(Yoko_step));
    Graph_bairitu(Yoko_bai, Tate_bai);
}

void GraphWindow::Cmd_close_Click() { unload_window(this); }

void GraphWindow::Cmd_least_squares_Click() {
    Saisyo_shown = true;
    prepare_fit_samples();
    const AnalysisState& s = state();
    const int samples = mark_total(state()) - 1;
    const LineFit fx = fit_line(s.vel_time.data(), s.vel_x.data(), samples);
    Saisyo_ax = fx.a;
    Saisyo_bx = fx.b;
    saisyo_x_outcome = fx.outcome;
    const LineFit fy = fit_line(s.vel_time.data(), s.vel_y.data(), samples);
    Saisyo_ay = fy.a;
    Saisyo_by = fy.b;
    saisyo_y_outcome = fy.outcome;
    Graph_saisyo();
}

void GraphWindow::Cmd_save_image_Click() { save_graph_picture(*Picture1, windowTitle()); }

void GraphWindow::fit_horizontally_to(double t_last) {
    if (!Yoko_fitted) fit_horizontally(t_last, frame_time(), Yoko_step, Yoko_bai);
    Text2->setText(yoko_text(Yoko_step));
    Yoko_fitted = true;
}

void GraphWindow::draw_frame_now() {
    const QString unit =
        settings_.fixed_time_unit.value_or(QString::fromStdString(state().frame_time_label));
    draw_frame(*Picture1, axis_, Yoko_bai, Tate_bai, unit);
}

void GraphWindow::plot_y_then_x(const float* t, const float* y, const float* x, int count) {
    Picture1->set_draw_style(PictureBox::kSolidLine);
    Picture1->set_fill_style(PictureBox::kSolid);
    plot_series(*Picture1, t, y, count, scale(), palette_color(pal::kLightBlue));
    plot_series(*Picture1, t, x, count, scale(), palette_color(pal::kBlack));
}

void GraphWindow::print_fit_result() {
    print_accelerations(*Picture1, x_fit(), y_fit(), settings_.acceleration_format,
                        axis_.acceleration_unit);
}

bool GraphWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && becomes_program_active(this)) Form_Activate();
    return QWidget::event(e);
}

void GraphWindow::closeEvent(QCloseEvent* e) {
    unload_window(this);
    e->accept();
}
