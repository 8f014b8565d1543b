// The marking canvas and the ruler strip beside it.
#include "mainwindow/form1.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "videodevice/video_device.h"

void Form1::disc(PictureBox* box, double x, double y, int colour) {
    box->set_fill_style(PictureBox::kSolid);
    box->set_fill_color(palette_color(colour));
    box->circle(x, y, 3, palette_color(colour));
}

void Form1::draw_ruler_markers(float cx, float cy, int bottom_colour, int right_colour) {
    // 253 and 332 are the middles of the lower and the right ruler.
    disc(Picture2, cx, 253, bottom_colour);
    disc(Picture2, 332, cy, right_colour);
}

void Form1::refresh_canvas(std::int16_t first, std::int16_t last) {
    send_video("stop avfile");
    send_video("update avfile hdc " + plain_number(Picture3->hDC()));
    Picture3->pset(0, 0, palette_color(pal::kLightBlue));
    for (int i = first; i <= last; ++i) {
        disc(Picture3, mark_cx[static_cast<std::size_t>(i)], mark_cy[static_cast<std::size_t>(i)],
             pal::kLightYellow);
    }
}

void Form1::draw_rulers() {
    PictureBox* strip = Picture2;
    strip->set_draw_mode(PictureBox::kCopyPen);
    canvas_w = static_cast<std::int16_t>(Picture1->outer_width() - 4);
    canvas_h = static_cast<std::int16_t>(Picture1->outer_height() - 4);
    const int w = canvas_w, h = canvas_h;
    strip->set_fill_style(PictureBox::kTransparent);
    strip->set_draw_width(2);
    strip->box(0, 0, w, h, palette_color(pal::kBlack));
    strip->set_draw_width(1);

    // Ticks every 4, 20 and 40 pixels, counted from the zero corner, while on the strip.
    auto x_ticks = [&](int spacing, int length) {
        for (int i = 0; w - spacing * i >= 1; ++i) strip->line(w - spacing * i, h, w - spacing * i, h + length);
    };
    auto y_ticks = [&](int spacing, int length) {
        for (int i = 0; h - spacing * i >= 1; ++i) strip->line(w, h - spacing * i, w + length, h - spacing * i);
    };
    x_ticks(4, 14);
    x_ticks(40, 22);
    for (int i = 0; w - 40 * i >= 1; ++i) {
        strip->set_current(w - 40 * i - 2, h + 30);
        strip->print(format_number(static_cast<double>(x_from_left ? 8 - i : i), "#0"));
    }
    x_ticks(20, 18);
    y_ticks(4, 14);
    y_ticks(40, 23);
    for (int i = 0; h - 40 * i >= 1; ++i) {
        strip->set_current(w + 30, h - 40 * i - 5);
        strip->print(format_number(static_cast<double>(y_from_top ? 6 - i : i), "#0"));
    }
    y_ticks(20, 20);
}
