#include "graphs/graph_frame.h"

#include "graphs/graph_mapping.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

namespace {
constexpr double kSmallText = 10, kLargeText = 14;

void text_at(PictureBox& picture, double x, double y, const QString& text) {
    picture.set_current(x, y);
    picture.print(text);
}
}  // namespace

QString time_scale_text(int i, float yoko_bai) {
    return format_number(static_cast<float>(2 * i) / yoko_bai, "###0.0");
}

QString value_scale_text(int i, const ValueAxis& axis, float tate_bai) {
    const float units = static_cast<float>(axis.units_per_division * (i - axis.zero_division));
    return format_number(units / tate_bai, axis.scale_format);
}

void draw_frame(PictureBox& picture, const ValueAxis& axis, float yoko_bai, float tate_bai,
                const QString& time_unit) {
    using namespace graph;
    const QColor black = palette_color(pal::kBlack);
    picture.set_user_scale(0, 0, kScaleWidth, kScaleHeight);
    picture.cls();
    picture.set_draw_style(PictureBox::kSolidLine);
    picture.set_fill_style(PictureBox::kTransparent);
    picture.box(kBoxLeft, kBoxBottom, kBoxRight, kBoxTop, black);
    picture.line(kBoxLeft, axis.axis_line_y, kBoxRight, axis.axis_line_y, black);
    picture.set_draw_style(PictureBox::kDotLine);

    for (int i = 0; i <= kDivisions; ++i) {
        const double x = kBoxLeft + kDivisionWidth * i;
        picture.line(x, kBoxBottom, x, kBoxTop, black);
    }
    picture.set_fore_color(black);
    picture.set_font_size(kSmallText);
    for (int i = 0; i <= kDivisions; ++i)
        text_at(picture, kBoxLeft + kDivisionWidth * i - 6, 420, time_scale_text(i, yoko_bai));
    text_at(picture, 314, 440, QStringLiteral("時間 ｔ"));
    text_at(picture, 570, 440, time_unit);

    for (int i = 0; i <= kDivisions; ++i) {
        const double y = kBoxTop + kDivisionHeight * i;
        picture.line(kBoxLeft, y, kBoxRight, y, black);
    }
    picture.set_fore_color(black);
    for (int i = 0; i <= kDivisions; ++i)
        text_at(picture, 10, kBoxBottom - kDivisionHeight * i - 5,
                value_scale_text(i, axis, tate_bai));
    picture.set_font_size(kSmallText);
    text_at(picture, 10, 14, axis.unit_text);
    picture.set_font_size(kLargeText);
    text_at(picture, 270, 14, axis.title);
    text_at(picture, 310, 14, axis.x_legend);
    picture.set_fore_color(palette_color(pal::kLightBlue));
    text_at(picture, axis.y_legend_left, 14, axis.y_legend);
}
