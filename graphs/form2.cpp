#include "graphs/form2.h"

#include "platform/palette.h"
#include "state/analysis.h"
#include "state/analysis_state.h"

Form2::Form2() : GraphWindow(graph_settings().vt_layout, graph_settings().vt_axis, "Cmd_vt表") {
    Cmd_vt_table = table_button();
}

void Form2::Zahyo_vt() { draw_frame_now(); }

void Form2::Graph_vt() {
    AnalysisState& s = state();
    if (settings().positions_from_scale) compute_positions(s);
    compute_velocities_in_force(s, frame_time());
    const int intervals = mark_total(s) - 1;
    fit_horizontally_to(intervals >= 1 ? s.vel_time[intervals] : 0.0);
    Zahyo_vt();
    plot_y_then_x(s.vel_time.data(), s.vel_y.data(), s.vel_x.data(), intervals);
}

void Form2::Graph_saisyo() {
    const auto line = [](float a, float b) { return [a, b](double t) { return a * t + b; }; };
    if (y_fit().fitted())
        draw_fitted(*Picture1, line(Saisyo_ay, Saisyo_by), scale(), palette_color(pal::kLightBlue));
    if (x_fit().fitted())
        draw_fitted(*Picture1, line(Saisyo_ax, Saisyo_bx), scale(), palette_color(pal::kBlack));
    print_fit_result();
}

void Form2::Cmd_vt_table_Click() {
    if (on_table_button) on_table_button();
}
