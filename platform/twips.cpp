#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
// Frame margins before the window manager has told us the real ones.
constexpr int kAssumedFrameWidth = 8;
constexpr int kAssumedFrameHeight = 31;

QSize frame_extra(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (window->isVisible() && frame.size() != client.size()) {
        return frame.size() - client.size();
    }
    return {kAssumedFrameWidth, kAssumedFrameHeight};
}
}  // namespace

void place_twips(QWidget* control, double left, double top, double width, double height) {
    control->setGeometry(twips_to_px(left), twips_to_px(top), twips_to_px(width),
                         twips_to_px(height));
}

void set_outer_size_twips(QWidget* window, double width, double height) {
    const QSize extra = frame_extra(window);
    window->resize(twips_to_px(width) - extra.width(), twips_to_px(height) - extra.height());
}

void centre_on_screen_twips(QWidget* window, double dx_twips, double dy_twips) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->geometry();
    const QSize outer = window->size() + frame_extra(window);
    const int left = (avail.width() - outer.width()) / 2 + twips_to_px(dx_twips);
    const int top = (avail.height() - outer.height()) / 2 + twips_to_px(dy_twips);
    window->move(avail.left() + left, avail.top() + top);
}
