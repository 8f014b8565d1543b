#include "graphs/form3.h"

#include "graphs/form2.h"
#include "graphs/graph_windows.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis.h"
#include "state/analysis_state.h"

Form3::Form3() : GraphWindow(graph_settings().st_layout, graph_settings().st_axis, "Cmd_data") {
    Cmd_data = table_button();
}

void Form3::Zahyo_st() { draw_frame_now(); }

void Form3::Graph_st() {
    AnalysisState& s = state();
    if (settings().positions_from_scale) compute_positions(s);
    compute_mark_times_in_force(s, frame_time());
    const int marks = mark_total(s);
    fit_horizontally_to(marks >= 1 ? s.mark_time[marks] : 0.0);
    Zahyo_st();
    plot_y_then_x(s.mark_time.data(), s.pos_y.data(), s.pos_x.data(), marks);
}

void Form3::prepare_fit_samples() { compute_velocities_in_force(state(), frame_time()); }

void Form3::Graph_saisyo() {
    if (settings().fit_touches_vt_window) {
        Picture1->set_auto_redraw(true);
        form2()->Picture1->set_auto_redraw(true);
    }
    const AnalysisState& s = state();
    const auto curve = [](float a, float b, float p1) {
        return [a, b, p1](double t) {
            return static_cast<double>(static_cast<float>((0.5 * a) * t * t + t * b + p1));
        };
    };
    if (y_fit().fitted())
        draw_fitted(*Picture1, curve(Saisyo_ay, Saisyo_by, s.pos_y[1]), scale(),
                    palette_color(pal::kLightBlue));
    if (x_fit().fitted())
        draw_fitted(*Picture1, curve(Saisyo_ax, Saisyo_bx, s.pos_x[1]), scale(),
                    palette_color(pal::kBlack));
    print_fit_result();
}

void Form3::Cmd_data_Click() {
    if (on_table_button) on_table_button();
}
