// A graph saved as a picture through Qt's own save dialog: PNG at twice the graph's pixels,
// SVG at its size, both the graph the window shows.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "graph_fixture.h"
#include "platform/qt_desktop.h"

namespace {

using GraphPictures = GraphTest;

// Share of the graph's ink (the pixels that are not white in the window) that the picture
// shows in another colour; rims of smoothed lines and texts differ by design.
double ink_unlike(const QImage& shown, const QImage& drawn) {
    int ink = 0, unlike = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y), b = drawn.pixel(x, y);
            if ((a & 0xFFFFFF) == kWhite) continue;
            ++ink;
            unlike += std::abs(qGray(a) - qGray(b)) > 96 || std::abs(qBlue(a) - qBlue(b)) > 96;
        }
    }
    return static_cast<double>(unlike) / ink;
}

// The picture as the window shows it, from either file, at the window's size.
QImage at_window_size(const QString& path, bool svg) {
    if (!svg) return QImage(path).scaled(637, 461, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(637, 461, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    QSvgRenderer(path).render(&painter);
    return out;
}

TEST_F(GraphPictures, CtrlSAndTheButtonSaveTheGraphAsPngOrSvg) {
    set_marks({{1, 1}, {2, 2.5f}, {3, 3.5f}, {4, 4}}, 2);
    Form3& w = form3().get();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.Cmd_least_squares_Click();
    EXPECT_EQ(w.Cmd_save_image->geometry(), QRect(600, 4, 89, 25)) << "above the picture";
    EXPECT_EQ(w.Cmd_save_image->text(), QStringLiteral("画像の保存"));
    const QImage shown = w.Picture1->image();
    const QPoint dot = w.Picture1->to_pixels(50 + 2 * 55 / 2.0, 374 - 2.5 * 36);  // mark 2, y

    QTemporaryDir dir;
    QtDesktop real;
    set_desktop(&real);
    const struct {
        int type;
        bool by_key;
        const char* file;
        QSize size;
    } cases[] = {
        {0, true, "graph.png", {1274, 922}},
        {1, false, "graph.svg", {637, 461}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(), (QStringList{QStringLiteral("PNG画像 (*.png)"),
                                                          QStringLiteral("SVG画像 (*.svg)")}));
            dialog->setDirectory(dir.path());
            // The user picks the type with the keyboard, as with the mouse: the list reacts.
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int k = 0; k < c.type; ++k) QTest::keyClick(types, Qt::Key_Down);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(name, QStringLiteral("graph"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        if (c.by_key) {
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        } else {
            QTest::mouseClick(w.Cmd_save_image, Qt::LeftButton);
        }
        const QString path = dir.filePath(QString::fromUtf8(c.file));
        const bool svg = c.type == 1;
        if (svg) {
            QSvgRenderer renderer(path);
            ASSERT_TRUE(renderer.isValid());
            EXPECT_EQ(renderer.defaultSize(), c.size);
        } else {
            const QImage png(path);
            ASSERT_FALSE(png.isNull());
            EXPECT_EQ(png.size(), c.size);
            EXPECT_EQ(png.pixel(2 * dot.x() + 1, 2 * dot.y() + 1) & 0xFFFFFF, kLightBlue);
        }
        const QImage drawn = at_window_size(path, svg);
        EXPECT_EQ(drawn.pixel(dot) & 0xFFFFFF, kLightBlue);
        EXPECT_LT(ink_unlike(shown, drawn), 0.25);
    }
    set_desktop(nullptr);
    EXPECT_EQ(w.Picture1->image(), shown) << "saving leaves the window's picture as it was";
}

}  // namespace
