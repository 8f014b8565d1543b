#include "platform/palette.h"

#include <array>

QColor palette_color(int number) {
    static constexpr std::array<QRgb, 16> kColors = {
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    };
    return QColor::fromRgb(kColors[static_cast<std::size_t>(number & 15)]);
}

QColor color_value(long value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}
