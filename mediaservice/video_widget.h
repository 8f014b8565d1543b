#pragma once
#include <QImage>
#include <QWidget>

// The child video window: shows the current frame scaled to its own size.
class VideoWidget : public QWidget {
    Q_OBJECT
  public:
    explicit VideoWidget(QWidget* parent);
    void show_picture(const QImage& picture);
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};
