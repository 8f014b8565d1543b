#include "mediaservice/video_widget.h"

#include <QPainter>

VideoWidget::VideoWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoWidget::show_picture(const QImage& picture) {
    picture_ = picture;
    update();
}

void VideoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (picture_.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(rect(), picture_);
}
