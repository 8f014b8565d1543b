// Opening and closing a clip from the file menu.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <stdexcept>

#include "mainwindow/form1.h"
#include "platform/desktop.h"
#include "platform/handles.h"
#include "platform/picture_box.h"
#include "videodevice/video_device.h"

namespace {
const QString kAviFilter = QStringLiteral("AVIファイル (*.avi)|*.avi");

QString too_long_message(const std::string& length_reply) {
    return QStringLiteral("このビデオは長さが %1 フレームあり、扱える長さ（32767 フレーム）を"
                          "超えているため使えません。短く切ったファイルを開いてください。")
        .arg(QString::fromStdString(length_reply));
}
}  // namespace

void Form1::mnuopen_Click() {
    clear_for_open();
    // From here on every failure ends the operation with a beep.
    CommonDialog1.filter = kAviFilter;
    const std::optional<QString> chosen = desktop().open_file({CommonDialog1.filter, {}, {}});
    if (!chosen) {
        if (CommonDialog1.cancel_error) desktop().beep();
        return;
    }
    open_chosen_clip(*chosen);
}

void Form1::open_clip(const QString& path) {
    clear_for_open();
    CommonDialog1.filter = kAviFilter;
    open_chosen_clip(path);
}

void Form1::clear_for_open() {
    Picture3->set_draw_mode(PictureBox::kCopyPen);
    Picture2->cls();
    Picture3->cls();
    Text1->clear();
    Text2->clear();
    if (!earlier_edition()) reset_calibration();
    cmd_enabled(false, false);
    Cmd_makimodoshi->setEnabled(false);
    Command1->setEnabled(true);
    Cmd_Reset->setEnabled(false);
    Cmd_vt->setEnabled(false);
    Cmd_st->setEnabled(false);
    Cmd_Xchange->setEnabled(true);
    Cmd_Ychange->setEnabled(true);
}

void Form1::open_chosen_clip(const QString& chosen) {
    CommonDialog1.file_name = chosen;
    const std::string path = short_path(chosen);
    std::string reply;
    video_command("close avfile", reply);
    const std::int32_t code = video_command(
        "open " + path + " alias avfile style child parent " + plain_number(Picture1->hWnd()),
        reply);
    if (code != 0) {
        // The alias is closed now; a running position timer would only poll it and beep.
        Timer1->stop();
        desktop().error_box(QString::fromStdString(reply), program_name());
        return;
    }
    try {
        video_command("where avfile source", reply);
        double x = 0, y = 0, w = 0, h = 0;
        wind_xywh(QString::fromStdString(reply), x, y, w, h);
    } catch (const std::runtime_error&) {
        desktop().beep();
        return;
    }
    video_command("put avfile destination at 0 0 " + signed_blank(Picture1->outer_width()) +
                      signed_blank(Picture1->outer_height()),
                  reply);
    video_command("status avfile length", reply);
    const std::optional<std::int16_t> length = reply_to_int16(reply);
    if (!length) {
        desktop().beep();
        desktop().error_box(too_long_message(reply), program_name());
        return;
    }
    HScroll1->setMaximum(*length);
    Timer1->start(100);
    Label1->setText(chosen);
    apply_clip_buttons(ClipButtons::Opened);
    draw_rulers();
    state().mark_count = 0;
}

void Form1::mnuclose_Click() {
    Timer1->stop();
    Label1->setText(QString());
    Label2->setText(QStringLiteral("フレーム"));
    send_video("close avfile");
    apply_clip_buttons(ClipButtons::Closed);
    Text1->clear();
    Text2->clear();
    Picture2->set_draw_mode(PictureBox::kCopyPen);
    Picture2->cls();
    Picture3->set_draw_mode(PictureBox::kCopyPen);
    Picture3->cls();
    draw_rulers();
    marking_enabled = false;
    state().mark_count = 0;
}
