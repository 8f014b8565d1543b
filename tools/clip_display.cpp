#include "tools/clip_display.h"

#include <QTransform>
#include <cstring>

extern "C" {
#include <libavutil/display.h>
}

QSize displayed_size(const ClipFormat& f) {
    const int width =
        static_cast<int>(static_cast<long long>(f.width) * f.sar_num / std::max(1, f.sar_den));
    return f.rotation % 180 == 0 ? QSize(width, f.height) : QSize(f.height, width);
}

QImage stored_picture(const QImage& shown, const ClipFormat& f) {
    QImage picture = shown.convertToFormat(QImage::Format_RGB32);
    if (f.mirrored) picture = picture.mirrored(true, false);
    // A player turns the stored picture clockwise; QTransform turns clockwise for positive
    // angles on a picture whose y axis points down.
    if (f.rotation % 360 != 0) picture = picture.transformed(QTransform().rotate(-f.rotation));
    if (picture.size() != QSize(f.width, f.height)) picture = picture.scaled(f.width, f.height);
    return picture;
}

std::string add_display_matrix(AVStream* stream, const ClipFormat& f) {
    if (f.rotation % 360 == 0 && !f.mirrored) return "";
    auto* matrix = reinterpret_cast<int32_t*>(
        av_stream_new_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
    if (!matrix) return "no memory for the display matrix";
    // A clockwise turn, as a portrait clip from a phone carries it; the flip comes after it.
    av_display_rotation_set(matrix, f.rotation);
    if (f.mirrored) av_display_matrix_flip(matrix, 1, 0);
    return "";
}
