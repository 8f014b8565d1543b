#pragma once
#include <QString>
#include <optional>

// What differs between the editions of the graph windows. Everything the windows draw or
// place that is not the same in both editions comes from here, so that an edition is a
// different value of this record, not a different window.

// A window's bottom row of controls, in twips (left, width), and its placement.
struct GraphLayout {
    QString caption;
    int close_left = 0, close_width = 0;
    int text1_left = 0, text1_width = 0;
    int label1_left = 0;
    int text2_left = 0, text2_width = 0;
    int label2_left = 0;
    bool has_table_button = false;
    bool has_picture_save = false;  // 「画像の保存」 above the picture, and Ctrl+S
    int table_left = 0;
    double offset_left_twips = 0, offset_top_twips = 0;  // from the centred position
};

// The value axis of a graph: its zero row, its scale, its texts.
struct ValueAxis {
    double zero_y = 0;              // graph units: the row of the value 0
    double axis_line_y = 0;         // graph units: the solid axis line across the box
    double units_per_division = 1;  // value units per 36 graph units at Tate_bai 1
    int zero_division = 0;          // the grid line (from the bottom) of the value 0
    const char* scale_format = "";  // display pattern of the value scale
    QString unit_text;              // at (10, 14)
    QString title;                  // at (270, 14)
    QString x_legend;               // at (310, 14), black
    QString y_legend;               // light blue
    double y_legend_left = 0;
    QString acceleration_unit;  // after the printed accelerations
};

struct GraphSettings {
    GraphLayout vt_layout;  // the v-t window
    GraphLayout st_layout;  // the x-t, y-t window
    ValueAxis vt_axis;
    ValueAxis st_axis;
    // Seconds per frame interval for times and velocities; none: the analysis state's.
    std::optional<double> fixed_frame_time;
    // The unit of the time axis; none: the analysis state's frame interval label.
    std::optional<QString> fixed_time_unit;
    // Positions are recomputed from the ruler units and the length scale at every redraw.
    bool positions_from_scale = true;
    const char* acceleration_format = "####.#0";
    // The x-t window's fit keeps the v-t window's drawing persistent as well.
    bool fit_touches_vt_window = true;
};

// The settings of each edition: Kinvora's are the default; Kelmaro, the earlier edition,
// gives positions in ruler units ("単位長"), a fixed frame interval of 1/30 s and no tables.
GraphSettings kinvora_graph_settings();
GraphSettings kelmaro_graph_settings();

// The settings the windows use; Kinvora's unless the program chose others.
const GraphSettings& graph_settings();

// Chooses the settings of the program's edition. Called once at start-up, before any graph
// window is made: a window takes its settings when it is made and keeps them until it closes.
void use_graph_settings(const GraphSettings& settings);
