#include "video/clip_files.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <stdexcept>

#include "platform/desktop.h"
#include "platform/handles.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"
#include "video/clip_work.h"
#include "video/frame_timing.h"
#include "video/video_window.h"
#include "videodevice/video_device.h"

namespace {
// What phones and cameras write first, then AVI alone, then any file: the content decides
// whether a file is a clip, not its name.
const QString kClipFilter = QStringLiteral(
    "ビデオファイル (*.avi *.mp4 *.mov *.m4v *.mkv *.webm)|*.avi;*.mp4;*.mov;*.m4v;*.mkv;*.webm|"
    "AVIファイル (*.avi)|*.avi|"
    "すべてのファイル (*)|*");

QString too_long_message(const std::string& length_reply) {
    return QStringLiteral(
               "このビデオは長さが %1 フレームあり、扱える長さ（32767 フレーム）を"
               "超えているため使えません。短く切ったファイルを開いてください。")
        .arg(QString::fromStdString(length_reply));
}
}  // namespace

void ClipFiles::mnuopen_Click() {
    clear_for_open();
    // From here on every failure ends the operation with a beep.
    window_.CommonDialog1.filter = kClipFilter;
    const std::optional<QString> chosen =
        desktop().open_file({window_.CommonDialog1.filter, {}, {}});
    if (!chosen) {
        if (window_.CommonDialog1.cancel_error) desktop().beep();
        return;
    }
    open_chosen_clip(*chosen);
}

void ClipFiles::open_clip(const QString& path) {
    clear_for_open();
    window_.CommonDialog1.filter = kClipFilter;
    open_chosen_clip(path);
}

void ClipFiles::clear_for_open() {
    if (window_.clip_work) window_.clip_work->work_leaving();
    window_.Picture3->set_draw_mode(PictureBox::kCopyPen);
    window_.Picture2->cls();
    window_.Picture3->cls();
    window_.canvas_frame.reset();
    if (window_.Label13) window_.Label13->clear();
    window_.Text1->clear();
    window_.Text2->clear();
    if (!window_.earlier_edition()) window_.reset_calibration();
    window_.cmd_enabled(false, false);
    window_.Cmd_makimodoshi->setEnabled(false);
    window_.Command1->setEnabled(true);
    window_.Cmd_Reset->setEnabled(false);
    window_.Cmd_vt->setEnabled(false);
    window_.Cmd_st->setEnabled(false);
    window_.Cmd_Xchange->setEnabled(true);
    window_.Cmd_Ychange->setEnabled(true);
}

void ClipFiles::open_chosen_clip(const QString& chosen) {
    window_.CommonDialog1.file_name = chosen;
    const std::string path = short_path(chosen);
    std::string reply;
    video_command("close avfile", reply);
    const std::int32_t code = video_command("open " + path + " alias avfile style child parent " +
                                                plain_number(window_.Picture1->hWnd()),
                                            reply);
    if (code != 0) {
        // The alias is closed now; a running position timer would only poll it and beep.
        window_.Timer1->stop();
        desktop().error_box(QString::fromStdString(reply), program_name());
        return;
    }
    try {
        video_command("where avfile source", reply);
        double x = 0, y = 0, w = 0, h = 0;
        window_.wind_xywh(QString::fromStdString(reply), x, y, w, h);
    } catch (const std::runtime_error&) {
        desktop().beep();
        return;
    }
    video_command("put avfile destination at 0 0 " + signed_blank(window_.Picture1->outer_width()) +
                      signed_blank(window_.Picture1->outer_height()),
                  reply);
    video_command("status avfile length", reply);
    const std::optional<std::int16_t> length = reply_to_int16(reply);
    if (!length) {
        desktop().beep();
        desktop().error_box(too_long_message(reply), program_name());
        return;
    }
    window_.HScroll1->setMaximum(*length);
    window_.Timer1->start(100);
    window_.Label1->setText(chosen);
    window_.apply_clip_buttons(VideoWindow::ClipButtons::Opened);
    window_.draw_rulers();
    state().mark_count = 0;
    timing_.clip_opened(chosen, *length);
    if (window_.clip_work) window_.clip_work->clip_opened(chosen);
}

void ClipFiles::mnuclose_Click() {
    if (window_.clip_work) window_.clip_work->work_leaving();
    window_.Timer1->stop();
    window_.Label1->setText(QString());
    window_.Label2->setText(QStringLiteral("フレーム"));
    send_video("close avfile");
    window_.apply_clip_buttons(VideoWindow::ClipButtons::Closed);
    window_.Text1->clear();
    window_.Text2->clear();
    window_.Picture2->set_draw_mode(PictureBox::kCopyPen);
    window_.Picture2->cls();
    window_.Picture3->set_draw_mode(PictureBox::kCopyPen);
    window_.Picture3->cls();
    window_.canvas_frame.reset();
    if (window_.Label13) window_.Label13->clear();
    window_.draw_rulers();
    window_.marking_enabled = false;
    state().mark_count = 0;
    timing_.no_clip();
    if (window_.clip_work) window_.clip_work->clip_closed();
}
