#include "mediaservice/display_transform.h"

#include <QTransform>
#include <array>
#include <cmath>

namespace {
// The 2 x 2 part (a, b, c, d) of each transform, mapping a stored point (x, y) (y down) to the
// shown one: x' = a x + c y, y' = b x + d y. A flip negates a and c.
constexpr std::array<std::array<int, 4>, 4> kTurns = {{
    {1, 0, 0, 1},    // as stored
    {0, 1, -1, 0},   // a quarter turn clockwise: x' = -y, y' = x
    {-1, 0, 0, -1},  // half a turn
    {0, -1, 1, 0},   // three quarters
}};
}  // namespace

DisplayTransform DisplayTransform::from_matrix(const std::int32_t* matrix) {
    if (!matrix) return {};
    const double m[4] = {matrix[0] / 65536.0, matrix[1] / 65536.0, matrix[3] / 65536.0,
                         matrix[4] / 65536.0};
    // Any scale the matrix holds is no part of the turn.
    const double scale = std::sqrt(std::abs(m[0] * m[3] - m[1] * m[2]));
    if (!(scale > 1e-6) || !std::isfinite(scale)) return {};
    for (int turns = 0; turns < 4; ++turns) {
        for (bool mirrored : {false, true}) {
            const std::array<int, 4>& t = kTurns[turns];
            const int flip = mirrored ? -1 : 1;
            const int want[4] = {flip * t[0], t[1], flip * t[2], t[3]};
            bool near = true;
            for (int i = 0; i < 4; ++i) near = near && std::abs(m[i] / scale - want[i]) < 0.01;
            if (near) return {turns, mirrored};
        }
    }
    return {};
}

QImage DisplayTransform::upright(const QImage& stored_picture) const {
    if (stored_picture.isNull()) return stored_picture;
    switch (quarter_turns) {
        case 0:
            return mirrored ? stored_picture.mirrored(true, false) : stored_picture;
        case 2:
            // Half a turn is both flips; with a flip left to right as well, only the other.
            return stored_picture.mirrored(!mirrored, true);
        default: {
            const QImage turned = stored_picture.transformed(QTransform().rotate(degrees()));
            return mirrored ? turned.mirrored(true, false) : turned;
        }
    }
}

QSize displayed_size(QSize stored, int sar_num, int sar_den, DisplayTransform transform) {
    QSize size = stored;
    // Ratios beyond 16:1 either way are no camera's: a damaged header.
    const std::int64_t num = sar_num, den = sar_den;  // a damaged header may hold any int
    if (num > 0 && den > 0 && num != den && num <= 16 * den && den <= 16 * num) {
        const std::int64_t width = (2 * num * stored.width() + den) / (2 * den);
        size.setWidth(static_cast<int>(std::clamp<std::int64_t>(width, 1, 16 * 16384)));
    }
    return transform.shown(size);
}
