#pragma once
#include <QImage>
#include <QWidget>

// The child video window: shows the current frame in a part of itself, black around it.
class VideoWidget : public QWidget {
    Q_OBJECT
  public:
    explicit VideoWidget(QWidget* parent);
    // `at`: where the picture shows, in the window's own pixels; it is scaled to fit there.
    void show_picture(const QImage& picture, const QRect& at);
    const QImage& picture() const { return picture_; }
    const QRect& picture_rect() const { return at_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    QRect at_;
};
