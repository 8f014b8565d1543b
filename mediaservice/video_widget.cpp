#include "mediaservice/video_widget.h"

#include <QPainter>
#include <QRegion>

VideoWidget::VideoWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoWidget::show_picture(const QImage& picture, const QRect& at) {
    picture_ = picture;
    at_ = at;
    update();
}

void VideoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (picture_.isNull()) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    if (at_ != rect()) {
        p.setClipRegion(QRegion(rect()).subtracted(at_));
        p.fillRect(rect(), Qt::black);
        p.setClipping(false);
    }
    p.drawImage(at_, picture_);
}
