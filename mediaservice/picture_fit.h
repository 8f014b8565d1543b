#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Where a picture of the clip shows in an area (the video area, the canvas): at the clip's
// displayed shape, as large as fits, centred; black bars fill the rest. A picture whose shape
// is 4:3 within 1 % fills the whole area, whatever the area's shape, as clips always did.
// Window code that maps canvas pixels to frame pixels uses the same rectangle.
struct PictureRect {
    int x, y, width, height;
};

inline PictureRect fit_picture(int picture_w, int picture_h, int area_w, int area_h) {
    const PictureRect whole{0, 0, std::max(area_w, 0), std::max(area_h, 0)};
    if (picture_w <= 0 || picture_h <= 0 || area_w <= 0 || area_h <= 0) return whole;
    const std::int64_t pw = picture_w, ph = picture_h, aw = area_w, ah = area_h;
    // |pw / ph - 4 / 3| <= 1 % of 4 / 3, in whole numbers.
    if (std::llabs(300 * pw - 400 * ph) <= 4 * ph) return whole;
    std::int64_t width = aw, height = ah;
    if (pw * ah >= ph * aw)
        height = std::max<std::int64_t>(1, (2 * aw * ph + pw) / (2 * pw));  // wider: full width
    else
        width = std::max<std::int64_t>(1, (2 * ah * pw + ph) / (2 * ph));  // taller: full height
    return {static_cast<int>((aw - width) / 2), static_cast<int>((ah - height) / 2),
            static_cast<int>(width), static_cast<int>(height)};
}
