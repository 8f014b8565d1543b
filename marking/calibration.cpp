#include "marking/calibration.h"

#include <cmath>

#include "marking/canvas.h"
#include "marking/length_dialog.h"
#include "marking/marking_window.h"
#include "platform/desktop.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"

void Calibration::Cmd_Length2_Click() {
    state().calib_clicks = 0;
    state().calib_mode = true;
    if (window_.length_dialog) window_.length_dialog->show_modeless();
}

void Calibration::reset_calibration() {
    state().scale_m_per_unit = 1.0f;
    state().calib_mode = false;
    if (window_.length_dialog) window_.length_dialog->clear_length();
}

void Calibration::calibration_click(float x, float y) {
    AnalysisState& s = state();
    if (s.calib_clicks >= kMaxIndex) {
        desktop().error_box(QStringLiteral("長さの設定でクリックできるのは 100 回までです。"
                                           "「長さの設定」を押してやり直してください。"),
                            program_name());
        return;
    }
    const auto k = static_cast<std::size_t>(++s.calib_clicks);
    if (window_.length_dialog) window_.length_dialog->keep_in_view();
    if (k >= 3 && k % 2 == 1) {
        window_.Picture3->cls();
        canvas_.refresh_canvas(1, s.mark_count);
    }
    Canvas::disc(window_.Picture3, x, y, pal::kLightGreen);
    s.calib_x[k] = static_cast<float>((window_.canvas_w - x) / 40.0);
    s.calib_y[k] = static_cast<float>((window_.canvas_h - y) / 40.0);
    if (k % 2 == 0) {
        const int w = window_.canvas_w, h = window_.canvas_h;
        window_.Picture3->line(w - 40.0 * s.calib_x[k - 1], h - 40.0 * s.calib_y[k - 1],
                               w - 40.0 * s.calib_x[k], h - 40.0 * s.calib_y[k],
                               palette_color(pal::kLightGreen));
        const double dy = static_cast<double>(s.calib_y[k - 1]) - s.calib_y[k];
        const double dx = static_cast<double>(s.calib_x[k - 1]) - s.calib_x[k];
        s.calib_unit_len = static_cast<float>(std::sqrt(dy * dy + dx * dx));
    }
}
