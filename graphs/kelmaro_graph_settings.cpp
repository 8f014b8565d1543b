#include "graphs/graph_settings.h"

// The earlier edition draws the same frames as the current one, with positions in ruler units
// and times at a fixed 1/30 s; only what differs is set here.

namespace {

constexpr double kFixedFrameTime = 1.0 / 30;  // s

// Both windows share one bottom row, without a table button, centred without offset.
GraphLayout kelmaro_layout(const QString& caption) {
    return GraphLayout{.caption = caption,
                       .close_left = 9120,
                       .close_width = 1335,
                       .text1_left = 6480,
                       .text1_width = 735,
                       .label1_left = 5760,
                       .text2_left = 7920,
                       .text2_width = 735,
                       .label2_left = 7320,
                       .has_table_button = false};
}

}  // namespace

GraphSettings kelmaro_graph_settings() {
    GraphSettings s = kinvora_graph_settings();
    s.vt_layout = kelmaro_layout(QStringLiteral("v-tグラフ"));
    s.st_layout = kelmaro_layout(QStringLiteral("s-tグラフ"));

    // One division is 20 ruler units per second: the box spans -100 .. 100.
    s.vt_axis.units_per_division = 20;
    s.vt_axis.unit_text = QStringLiteral("単位長/s");
    s.vt_axis.y_legend_left = 340;
    s.st_axis.unit_text = QStringLiteral("単位長");

    const QString acceleration_unit = QStringLiteral("単位長／ｓｓ");
    s.vt_axis.acceleration_unit = acceleration_unit;
    s.st_axis.acceleration_unit = acceleration_unit;
    s.acceleration_format = "####.0";

    s.fixed_frame_time = kFixedFrameTime;
    s.fixed_time_unit = QStringLiteral("×1/30秒");
    // The main window already stores the marks in ruler units; there is no length scale.
    s.positions_from_scale = false;
    s.fit_touches_vt_window = false;
    return s;
}
