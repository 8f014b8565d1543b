#include "marking/full_frame.h"

#include <QPainter>

FullFrame::FullFrame(QSize size) : size_(size), handle_(register_handle(this)) {}

void FullFrame::take_frame(const QImage& picture, int x_px, int y_px) {
    if (x_px == 0 && y_px == 0 && picture.size() == size_ &&
        picture.format() == QImage::Format_RGB32) {
        image_ = picture;
        return;
    }
    if (image_.size() != size_ || image_.format() != QImage::Format_RGB32) {
        image_ = QImage(size_, QImage::Format_RGB32);
        image_.fill(Qt::black);
    }
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x_px, y_px, picture);
}

cv::Mat FullFrame::pixels() const {
    // Read only: the bits of a picture shared with the service are never written.
    return cv::Mat(image_.height(), image_.width(), CV_8UC4, const_cast<uchar*>(image_.constBits()),
                   static_cast<std::size_t>(image_.bytesPerLine()));
}
