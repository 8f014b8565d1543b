#pragma once
// What the tests that drive Kinvora's real windows on the real video service share: Qt's own
// (non-native) file dialogs answered as a user answers them, and where the ball is on the
// canvas.
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "mainwindow/form1.h"
#include "platform/picture_box.h"
#include "platform/qt_desktop.h"
#include "tests/support/scripted_desktop.h"

// The scripted desktop, but saving, and opening when asked to, through Qt's own dialog.
class SavingDesktop : public ScriptedDesktop {
  public:
    bool dialog_opens = false;  // open_file too through the real dialog
    std::optional<QString> open_file(const FileDialogRequest& request) override {
        return dialog_opens ? QtDesktop().open_file(request) : ScriptedDesktop::open_file(request);
    }
    std::optional<SaveChoice> choose_save_file(const FileDialogRequest& request) override {
        return QtDesktop().choose_save_file(request);
    }
};

// Answers the next file dialog as a user does: goes to `folder`, types `name` over what the
// name box holds, and presses Return.
inline void answer_file_dialog(const QString& folder, const QString& name) {
    QTimer::singleShot(0, [folder, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->setDirectory(folder);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

// Opens `path` through the file menu, the scripted desktop answering its dialog, then, as a
// user starts: 再生, 一時停止, 巻き戻し and 画像転送→, which brings the first frame onto the
// canvas.
inline void open_onto_canvas(Form1& main, ScriptedDesktop& desk, const QString& path) {
    desk.open_answers.push_back(path);
    main.mnuopen->trigger();
    for (QPushButton* b : {main.Command1, main.Command2, main.Cmd_makimodoshi, main.Cmd_trans})
        QTest::mouseClick(b, Qt::LeftButton);
}

// What a picture box shows.
inline QImage picture_of(const PictureBox& box) {
    QImage out(box.area_size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, box.pixel_at(x, y));
    return out;
}

// Where the user clicks the red ball on the canvas: its centre, in the picture box's pixels.
inline QPoint ball_on_canvas(const PictureBox& canvas) {
    double sx = 0, sy = 0, n = 0;
    for (int y = 0; y < canvas.area_size().height(); ++y)
        for (int x = 0; x < canvas.area_size().width(); ++x) {
            const QColor c(canvas.pixel_at(x, y));
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100) sx += x, sy += y, ++n;
        }
    return QPoint(qRound(sx / n), qRound(sy / n)) + QPoint(2, 2);  // inside its border
}
