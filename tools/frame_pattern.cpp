#include "tools/frame_pattern.h"

#include <QPainter>

namespace {
constexpr int kColumns = 8;
constexpr int kRows = 2;

QRect block_rect(int bit, int width, int height) {
    const int w = width / kColumns;
    const int h = height / 8;
    const int col = bit % kColumns;
    const int row = bit / kColumns;
    return QRect(col * w, row * h, w, h);
}
}  // namespace

QImage numbered_frame(int number, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    QPainter p(&picture);
    for (int bit = 0; bit < kColumns * kRows; ++bit) {
        const bool one = (number >> (kColumns * kRows - 1 - bit)) & 1;
        p.fillRect(block_rect(bit, width, height), one ? Qt::white : Qt::black);
    }
    return picture;
}

int read_frame_number(const QImage& picture) {
    int number = 0;
    for (int bit = 0; bit < kColumns * kRows; ++bit) {
        const QPoint centre = block_rect(bit, picture.width(), picture.height()).center();
        const int level = qGray(picture.pixel(centre));
        if (level > 64 && level < 192) return -1;
        number = (number << 1) | (level >= 192 ? 1 : 0);
    }
    return number;
}
