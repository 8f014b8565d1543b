#include "marking/canvas.h"

#include "marking/marking_window.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"
#include "video/canvas_picture.h"
#include "videodevice/video_device.h"

void Canvas::disc(PictureBox* box, double x, double y, int colour) {
    box->set_fill_style(PictureBox::kSolid);
    box->set_fill_color(palette_color(colour));
    box->circle(x, y, 3, palette_color(colour));
}

void Canvas::draw_ruler_markers(float cx, float cy, int bottom_colour, int right_colour) {
    // 253 and 332 are the middles of the lower and the right ruler.
    disc(window_.Picture2, cx, 253, bottom_colour);
    disc(window_.Picture2, 332, cy, right_colour);
}

void Canvas::refresh_canvas(std::int16_t first, std::int16_t last) {
    send_video("stop avfile");
    paint_current_frame(window_);
    window_.Picture3->pset(0, 0, palette_color(pal::kLightBlue));
    for (int i = first; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        disc(window_.Picture3, window_.mark_cx[k], window_.mark_cy[k], pal::kLightYellow);
    }
}

void Canvas::draw_rulers() {
    PictureBox* strip = window_.Picture2;
    strip->set_draw_mode(PictureBox::kCopyPen);
    window_.canvas_w = static_cast<std::int16_t>(window_.Picture1->outer_width() - 4);
    window_.canvas_h = static_cast<std::int16_t>(window_.Picture1->outer_height() - 4);
    const int w = window_.canvas_w, h = window_.canvas_h;
    strip->set_fill_style(PictureBox::kTransparent);
    strip->set_draw_width(2);
    strip->box(0, 0, w, h, palette_color(pal::kBlack));
    strip->set_draw_width(1);

    // Ticks every 4, 20 and 40 pixels, counted from the zero corner, while on the strip.
    auto x_ticks = [&](int spacing, int length) {
        for (int i = 0; w - spacing * i >= 1; ++i)
            strip->line(w - spacing * i, h, w - spacing * i, h + length);
    };
    auto y_ticks = [&](int spacing, int length) {
        for (int i = 0; h - spacing * i >= 1; ++i)
            strip->line(w, h - spacing * i, w + length, h - spacing * i);
    };
    x_ticks(4, 14);
    x_ticks(40, 22);
    for (int i = 0; w - 40 * i >= 1; ++i) {
        strip->set_current(w - 40 * i - 2, h + 30);
        strip->print(format_number(static_cast<double>(window_.x_from_left ? 8 - i : i), "#0"));
    }
    x_ticks(20, 18);
    y_ticks(4, 14);
    y_ticks(40, 23);
    for (int i = 0; h - 40 * i >= 1; ++i) {
        strip->set_current(w + 30, h - 40 * i - 5);
        strip->print(format_number(static_cast<double>(window_.y_from_top ? 6 - i : i), "#0"));
    }
    y_ticks(20, 20);
}
