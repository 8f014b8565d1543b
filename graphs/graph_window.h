#pragma once
#include <QWidget>
#include <cstdint>

#include "graphs/graph_plot.h"
#include "graphs/graph_settings.h"
#include "graphs/least_squares.h"
#include "state/flag.h"

class PictureBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the v-t window and the x-t, y-t window share: the controls of the bottom row, the
// load, activation and close sequences, the magnification buttons and the least-squares
// button. A window supplies its data routine and its drawing of the fit.
class GraphWindow : public QWidget {
    Q_OBJECT
  public:
    // Magnifications: Yoko_bai always follows Yoko_step; Tate_bai is a power of two in
    // 0.125 .. 256.
    float Tate_bai = 1.0f;
    float Yoko_bai = 1.0f;
    std::int16_t Yoko_step = 1;
    Flag Yoko_fitted;   // the automatic horizontal fit was done since the last activation
    Flag Saisyo_shown;  // the fit result is drawn again with every redraw
    float Saisyo_ax = 0, Saisyo_bx = 0, Saisyo_ay = 0, Saisyo_by = 0;
    // Whether each fit gave a line; without one its notice is printed and no line drawn.
    LineFit::Outcome saisyo_x_outcome = LineFit::Outcome::kTooFewSamples;
    LineFit::Outcome saisyo_y_outcome = LineFit::Outcome::kTooFewSamples;

    PictureBox* Picture1 = nullptr;
    QPushButton* Cmd_close = nullptr;
    QPushButton* Cmd_least_squares = nullptr;  // objectName "Cmd_最小2乗法"
    QPushButton* Cmd_small = nullptr;
    QPushButton* Cmd_large = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Cmd_small_yoko = nullptr;
    QPushButton* Cmd_large_yoko = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label2 = nullptr;
    // 「画像の保存」, and Ctrl+S: the graph as PNG or SVG; absent in the earlier edition.
    QPushButton* Cmd_save_image = nullptr;

    void Form_Activate();
    void Cmd_large_Click();
    void Cmd_small_Click();
    void Cmd_large_yoko_Click();
    void Cmd_small_yoko_Click();
    void Cmd_close_Click();
    void Cmd_least_squares_Click();
    void Cmd_save_image_Click();

    // Redraws frame and data at the current magnifications (the window's own fields are
    // passed), then the stored fit while Saisyo_shown is set.
    void Graph_bairitu(float& yoko_bai, float& tate_bai);
    virtual void Graph_saisyo() = 0;

    LineFit x_fit() const { return {saisyo_x_outcome, Saisyo_ax, Saisyo_bx}; }
    LineFit y_fit() const { return {saisyo_y_outcome, Saisyo_ay, Saisyo_by}; }

  protected:
    // The load sequence. table_name is the objectName of the table button.
    GraphWindow(const GraphLayout& layout, const ValueAxis& axis, const char* table_name);

    virtual void run_data_routine() = 0;
    // Brings the velocity samples up to date before the fit; the v-t window takes them as
    // they are.
    virtual void prepare_fit_samples() {}
    virtual void table_button_clicked() = 0;

    const GraphSettings& settings() const { return settings_; }
    const ValueAxis& axis() const { return axis_; }
    double frame_time() const;
    GraphScale scale() const { return {axis_, frame_time(), Yoko_bai, Tate_bai}; }
    QPushButton* table_button() const { return table_button_; }

    // The steps every data routine shares once its data are computed: the automatic
    // horizontal fit for the last point's time, the frame, then the y series and the x series.
    void fit_horizontally_to(double t_last);
    void draw_frame_now();
    void plot_y_then_x(const float* t, const float* y, const float* x, int count);
    void print_fit_result();

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_controls(const GraphLayout& layout, const char* table_name);
    QPushButton* make_button(const char* name, const QString& caption, int left, int width);

    GraphSettings settings_;
    ValueAxis axis_;
    QPushButton* table_button_ = nullptr;
};
