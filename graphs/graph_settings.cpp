#include "graphs/graph_settings.h"

namespace {

GraphLayout kinvora_vt_layout() {
    GraphLayout l;
    l.caption = QStringLiteral("v-tグラフ");
    l.close_left = 9840, l.close_width = 975;
    l.text1_left = 6480, l.text1_width = 495;
    l.label1_left = 5760;
    l.text2_left = 7680, l.text2_width = 495;
    l.label2_left = 7080;
    l.has_table_button = true;
    l.has_picture_save = true;
    l.table_left = 8520;
    return l;
}

GraphLayout kinvora_st_layout() {
    GraphLayout l;
    l.caption = QStringLiteral("x-t ,  y-t グラフ");
    l.close_left = 9720, l.close_width = 1095;
    l.text1_left = 6360, l.text1_width = 495;
    l.label1_left = 5640;
    l.text2_left = 7560, l.text2_width = 495;
    l.label2_left = 6960;
    l.has_table_button = true;
    l.has_picture_save = true;
    l.table_left = 8400;
    l.offset_left_twips = 800;
    l.offset_top_twips = -400;
    return l;
}

}  // namespace

GraphSettings kinvora_graph_settings() {
    GraphSettings s;
    s.vt_layout = kinvora_vt_layout();
    s.st_layout = kinvora_st_layout();

    s.vt_axis.zero_y = 230;
    s.vt_axis.axis_line_y = 230;
    s.vt_axis.units_per_division = 3;
    s.vt_axis.zero_division = 5;
    s.vt_axis.scale_format = "##0.0";
    s.vt_axis.unit_text = QStringLiteral("m/s");
    s.vt_axis.title = QStringLiteral("速度");
    s.vt_axis.x_legend = QStringLiteral(" Ｖx  ");
    s.vt_axis.y_legend = QStringLiteral(" Ｖy");
    s.vt_axis.y_legend_left = 350;
    s.vt_axis.acceleration_unit = QStringLiteral("m/s2");

    s.st_axis.zero_y = 374;
    s.st_axis.axis_line_y = 410;
    s.st_axis.units_per_division = 1;
    s.st_axis.zero_division = 1;
    s.st_axis.scale_format = "##.#0";
    s.st_axis.unit_text = QStringLiteral("ｍ");
    s.st_axis.title = QStringLiteral("位置");
    s.st_axis.x_legend = QStringLiteral(" Ｘ  ");
    s.st_axis.y_legend = QStringLiteral(" Ｙ");
    s.st_axis.y_legend_left = 340;
    s.st_axis.acceleration_unit = QStringLiteral("m／ｓ2");
    return s;
}

namespace {
GraphSettings& chosen_settings() {
    static GraphSettings settings = kinvora_graph_settings();
    return settings;
}
}  // namespace

const GraphSettings& graph_settings() { return chosen_settings(); }

void use_graph_settings(const GraphSettings& settings) { chosen_settings() = settings; }
