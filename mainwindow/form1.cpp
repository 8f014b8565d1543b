#include "mainwindow/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <stdexcept>

#include "marking/axis_directions.h"
#include "marking/calibration.h"
#include "marking/canvas.h"
#include "marking/erasing.h"
#include "marking/marking.h"
#include "platform/desktop.h"
#include "platform/number_text.h"
#include "platform/picture_box.h"
#include "platform/program_activation.h"
#include "platform/twips.h"
#include "video/clip_files.h"
#include "video/clip_work.h"
#include "video/frame_timing.h"
#include "video/transport.h"
#include "videodevice/video_device.h"

namespace {
Edition g_edition = Edition::Kinvora;
}

Edition program_edition() { return g_edition; }
void set_program_edition(Edition edition) { g_edition = edition; }

LazyWindow<Form1>& form1() {
    static LazyWindow<Form1> instance;
    return instance;
}

Form1::Form1(Edition e)
    : edition(e),
      transport_(std::make_unique<Transport>(*this)),
      timing_(std::make_unique<FrameTiming>(*this)),
      clip_files_(std::make_unique<ClipFiles>(*this, *timing_)),
      canvas_(std::make_unique<Canvas>(*this)),
      calibration_(std::make_unique<Calibration>(*this, *canvas_)),
      axes_(std::make_unique<AxisDirections>(*this, *canvas_)),
      erasing_(std::make_unique<Erasing>(*this, *canvas_, *transport_)),
      marking_(std::make_unique<Marking>(*this, *canvas_, *transport_, *calibration_)) {
    watch_program_activation();
    build_controls();
    build_menu();
    connect_handlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    if (earlier_edition()) {
        set_outer_size_twips(this, 12315, 7890);
    } else {
        set_outer_size_twips(this, 12288, static_cast<double>(8524.8f));
    }
    centre_on_screen_twips(this);
    if (!earlier_edition()) {
        state().frame_time = static_cast<float>(1.0 / 30.0);
        state().frame_time_label = "1/30秒";
        state().clip_timing = false;
        timing_->no_clip();
    }
    x_from_left = false;
    y_from_top = false;
    // The window and its three picture boxes draw in pixels.
    Picture1->set_scale_pixels();
    Picture2->set_scale_pixels();
    Picture3->set_scale_pixels();
    Picture1->set_outer_size(320, 240);
    Picture2->set_outer_size(Picture1->outer_width() + 50, Picture1->outer_height() + 50);
    Picture3->set_outer_size(Picture1->outer_width(), Picture1->outer_height());
    CommonDialog1.cancel_error = true;
    apply_clip_buttons(ClipButtons::AtStart);
    Timer1->setInterval(100);
    Timer1->stop();
    marking_enabled = false;
    state().mark_count = 0;
    state().calib_clicks = 0;
    state().calib_mode = false;
    frames_since_mark = 0;
}

void Form1::Form_Activate() { draw_rulers(); }

void Form1::mnuend_Click() {
    if (ending_) return;
    ending_ = true;
    if (clip_work) clip_work->work_leaving();
    send_video("close avfile");
    desktop().end_program();
}

void Form1::Form_Unload() { mnuend_Click(); }

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool Form1::event(QEvent* event) {
    // Without a window manager (a bare X server) no activation is ever reported, so the first
    // showing stands for it: the rulers and the canvas size must exist before the first click.
    // Drawing the rulers again on the activation that may follow changes nothing.
    const bool first_show = event->type() == QEvent::Show && !shown_;
    if (first_show) shown_ = true;
    const bool activated = event->type() == QEvent::WindowActivate && becomes_program_active(this);
    if (first_show || activated) Form_Activate();
    return QMainWindow::event(event);
}

void Form1::cmd_enabled(const QVariant& b1, const QVariant& b2) {
    Command1->setEnabled(b1.toBool());
    Command2->setEnabled(b2.toBool());
    Command3->setEnabled(b2.toBool());
    Command4->setEnabled(b2.toBool());
    Command6->setEnabled(b2.toBool());
    HScroll1->setEnabled(b2.toBool());
}

void Form1::apply_clip_buttons(ClipButtons clip) {
    cmd_enabled(false, false);
    Cmd_makimodoshi->setEnabled(false);
    Cmd_Reset->setEnabled(false);
    if (clip == ClipButtons::Opened) {
        cmd_enabled(true, false);
        return;
    }
    Cmd_vt->setEnabled(false);
    Cmd_st->setEnabled(false);
    Cmd_trans->setEnabled(false);
    // The second length button exists in the earlier edition only; closing a clip leaves it.
    if (clip == ClipButtons::AtStart && Cmd_Length2) Cmd_Length2->setEnabled(false);
}

void Form1::wind_xywh(const QString& a, double& xs, double& ys, double& w, double& h) {
    const qsizetype p1 = a.indexOf(QLatin1Char(' '));
    const qsizetype p2 = p1 < 0 ? -1 : a.indexOf(QLatin1Char(' '), p1 + 1);
    const qsizetype p3 = p2 < 0 ? -1 : a.indexOf(QLatin1Char(' '), p2 + 1);
    if (p3 < 0) throw std::runtime_error("wind_xywh: fewer than four numbers");
    auto value = [&a](qsizetype from, qsizetype count) {
        return leading_number(a.mid(from, count).toStdString());
    };
    xs = value(0, p1);
    ys = value(p1 + 1, p2 - p1);
    w = value(p2 + 1, p3 - p2);
    h = value(p3 + 1, a.size() - p3);
}

void Form1::Cmd_vt_Click() {
    if (state().mark_count >= 1 && open_vt_graph) open_vt_graph();
}

void Form1::Cmd_st_Click() {
    if (state().mark_count >= 1 && open_st_graph) open_st_graph();
}
