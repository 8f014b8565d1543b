#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/drawing_surface.h"
#include "platform/handles.h"
#include "platform/picture_recording.h"

// A drawing surface over a persistent image: what is drawn stays until it is cleared.
// Coordinates are in the box's scale: pixels of the drawing area by default, or a user
// rectangle. The outer size includes a sunken border of two pixels on each side, so a box of
// 320 x 240 pixels has a drawing area of 316 x 236.
class PictureBox : public QWidget, public DrawingSurface {
    Q_OBJECT
  public:
    enum DrawMode { kXorPen = 7, kCopyPen = 13 };
    enum FillStyle { kSolid = 0, kTransparent = 1 };
    enum DrawStyle { kSolidLine = 0, kDotLine = 2 };
    static constexpr int kBorder = 2;

    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    Handle hDC() const { return hdc_; }
    Handle hWnd();

    // Outer size in pixels, border included; the drawing area keeps what it showed.
    void set_outer_size(int width, int height);
    int outer_width() const { return width(); }
    int outer_height() const { return height(); }
    QSize area_size() const { return image_.size(); }

    void set_back_color(QColor c);
    void set_auto_redraw(bool on) { auto_redraw_ = on; }
    bool auto_redraw() const { return auto_redraw_; }

    // Scale.
    void set_scale_pixels();
    void set_user_scale(double left, double top, double right, double bottom);
    double scale_width() const { return scale_w_; }
    double scale_height() const { return scale_h_; }

    // Pen, fill and text state.
    void set_draw_mode(int mode) { draw_mode_ = mode; }
    int draw_mode() const { return draw_mode_; }
    void set_fill_style(int style) { fill_style_ = style; }
    void set_fill_color(QColor c) { fill_color_ = c; }
    void set_fore_color(QColor c) { fore_color_ = c; }
    QColor fore_color() const { return fore_color_; }
    void set_draw_width(int w) { draw_width_ = w < 1 ? 1 : w; }
    void set_draw_style(int style) { draw_style_ = style; }
    void set_font_size(double points);
    void set_font_name(const QString& family);
    void set_current(double x, double y) { cur_x_ = x, cur_y_ = y; }
    double current_x() const { return cur_x_; }
    double current_y() const { return cur_y_; }

    // Drawing, in the box's scale. Shapes without a colour use the fore colour.
    void cls();
    void pset(double x, double y, QColor color);
    void line(double x1, double y1, double x2, double y2, QColor color);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, fore_color_); }
    void box(double x1, double y1, double x2, double y2, QColor color);
    void circle(double x, double y, double radius, QColor color);
    void print(const QString& text);

    // The drawing area inside the border, and a frame copied into it at a pixel position.
    QRect drawing_area() const override;
    void take_frame(const QImage& picture, int x_px, int y_px) override;

    // From now on every drawing step is also recorded, so that the picture can be drawn again
    // at another size or as vectors (what is shown does not change). XOR steps are recorded as
    // plain ones. Cleared with the picture.
    void record_drawing();
    const PictureRecording* recording() const { return recording_.get(); }

    // Read-back of the drawing area in pixels, for tests and for the video service.
    const QImage& image() const { return image_; }
    QRgb pixel_at(int x_px, int y_px) const;
    QPoint to_pixels(double x, double y) const;

  signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 shift, 2 ctrl, 4 alt; x, y in the box's scale.
    void mouse_down(int button, int shift, float x, float y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second click of a double click is no further press: one mouse_down, as a desktop
    // reports a double click.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void plot(int x, int y, QRgb rgb);
    void plot_thick(int x, int y, QRgb rgb);
    void stroke(const std::function<void()>& draw, QRgb rgb);
    void raw_line(QPoint a, QPoint b, QRgb rgb, bool skip_last);
    PictureRecording::Pen recorded_pen(QColor color) const;
    double to_px_x(double x) const;
    double to_px_y(double y) const;

    QImage image_;
    Handle hdc_ = 0;
    QColor back_color_ = Qt::white;
    bool auto_redraw_ = false;
    double scale_left_ = 0, scale_top_ = 0, scale_w_ = 0, scale_h_ = 0;
    bool user_scale_ = false;
    int draw_mode_ = kCopyPen;
    int fill_style_ = kTransparent;
    QColor fill_color_ = Qt::black;
    QColor fore_color_ = Qt::black;
    int draw_width_ = 1;
    int draw_style_ = kSolidLine;
    QFont font_;
    double cur_x_ = 0, cur_y_ = 0;
    int dot_phase_ = 0;
    std::vector<QPoint>* pen_pixels_ = nullptr;  // while a wide XOR pen collects its pixels
    std::unique_ptr<PictureRecording> recording_;
};
