#include "graphs/graph_picture.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include "platform/desktop.h"
#include "platform/picture_box.h"
#include "platform/user_file_save.h"

namespace {
constexpr int kPngScale = 2;

// A box that records nothing draws what it shows, enlarged.
void draw_box(const PictureBox& box, QPainter& painter) {
    if (box.recording()) {
        box.recording()->replay(painter);
    } else {
        painter.drawImage(0, 0, box.image());
    }
}

QByteArray png_bytes(const PictureBox& box) {
    const QImage& shown = box.image();
    QImage picture(shown.size() * kPngScale, QImage::Format_RGB32);
    // Texts keep their size in the box's pixels: the painter's scale makes them larger.
    picture.setDotsPerMeterX(shown.dotsPerMeterX());
    picture.setDotsPerMeterY(shown.dotsPerMeterY());
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.scale(kPngScale, kPngScale);
        draw_box(box, painter);
    }
    picture.setDotsPerMeterX(shown.dotsPerMeterX() * kPngScale);
    picture.setDotsPerMeterY(shown.dotsPerMeterY() * kPngScale);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    QImageWriter(&out, "png").write(picture);
    return out.data();
}

QByteArray svg_bytes(const PictureBox& box, const QString& title) {
    QBuffer out;
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(box.image().size());
    svg.setViewBox(QRect(QPoint(0, 0), box.image().size()));
    svg.setResolution(box.image().logicalDpiX());
    svg.setTitle(title);
    QPainter painter(&svg);
    draw_box(box, painter);
    painter.end();
    // The generator gives the size in millimetres, which viewers turn back into pixels at
    // differing resolutions (Qt at 90 per inch, browsers at 96): give it in pixels instead.
    const QSize size = box.image().size();
    return QString::fromUtf8(out.data())
        .replace(QRegularExpression(QStringLiteral("width=\"[0-9.]+mm\" height=\"[0-9.]+mm\"")),
                 QStringLiteral("width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()))
        .toUtf8();
}
}  // namespace

QByteArray picture_file_bytes(const PictureBox& box, PictureFormat format, const QString& title) {
    return format == PictureFormat::kSvg ? svg_bytes(box, title) : png_bytes(box);
}

void save_graph_picture(const PictureBox& box, const QString& title) {
    const auto choice =
        desktop().choose_save_file({QStringLiteral("PNG画像 (*.png)|*.png|SVG画像 (*.svg)|*.svg"),
                                    QString(), QStringLiteral("png")});
    if (!choice || !confirm_overwrite(choice->path)) return;
    const PictureFormat format = choice->file_type == 1 ? PictureFormat::kSvg : PictureFormat::kPng;
    write_user_file(choice->path, picture_file_bytes(box, format, title).toStdString());
}
