#include "graphs/acceleration_text.h"

#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

namespace {
constexpr long kTextColorValue = 10;

void print_row(PictureBox& picture, double y, const QString& label, const LineFit& fit,
               const char* format, const QString& unit) {
    picture.set_current(450, y);
    picture.print(label);
    picture.set_current(515, y);
    picture.print(acceleration_text(fit, format));
    if (!fit.fitted()) return;
    picture.set_current(555, y);
    picture.print(unit);
}
}  // namespace

QString acceleration_text(const LineFit& fit, const char* format) {
    switch (fit.outcome) {
        case LineFit::Outcome::kFitted:
            return format_number(fit.a, format);
        case LineFit::Outcome::kTooFewSamples:
            return QStringLiteral("データ不足");
        case LineFit::Outcome::kUndefined:
            break;
    }
    return QStringLiteral("計算不能");
}

void print_accelerations(PictureBox& picture, const LineFit& x_fit, const LineFit& y_fit,
                         const char* format, const QString& unit) {
    picture.set_font_size(10);
    picture.set_fore_color(color_value(kTextColorValue));
    print_row(picture, 10, QStringLiteral("加速度aｘ="), x_fit, format, unit);
    print_row(picture, 28, QStringLiteral("加速度aｙ="), y_fit, format, unit);
}
