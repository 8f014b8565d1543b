// The window's handlers that belong to a collaborator: each passes the event on unchanged.
#include "mainwindow/form1.h"
#include "marking/axis_directions.h"
#include "marking/calibration.h"
#include "marking/canvas.h"
#include "marking/erasing.h"
#include "marking/marking.h"
#include "video/clip_files.h"
#include "video/frame_timing.h"
#include "video/transport.h"

void Form1::Command1_Click() { transport_->Command1_Click(); }
void Form1::Command2_Click() { transport_->Command2_Click(); }
void Form1::Command3_Click() { transport_->Command3_Click(); }
void Form1::Command4_Click() { transport_->Command4_Click(); }
void Form1::Cmd_makimodoshi_Click() { transport_->Cmd_makimodoshi_Click(); }
void Form1::HScroll1_Scroll() { transport_->HScroll1_Scroll(); }
void Form1::Timer1_Timer() { transport_->Timer1_Timer(); }
void Form1::Option1_Click() { timing_->Option1_Click(); }
void Form1::Option2_Click() { timing_->Option2_Click(); }
void Form1::Option3_Click() { timing_->Option3_Click(); }
void Form1::Text5_Change() { timing_->Text5_Change(); }
void Form1::choose_frame_interval(IntervalChoice choice, const QString& capture_rate) {
    timing_->choose(choice, capture_rate);
}
void Form1::wait_for_tick_change(const std::string& command) {
    transport_->wait_for_tick_change(command);
}

void Form1::mnuopen_Click() { clip_files_->mnuopen_Click(); }
void Form1::mnuclose_Click() { clip_files_->mnuclose_Click(); }
void Form1::open_clip(const QString& path) { clip_files_->open_clip(path); }

void Form1::refresh_canvas(std::int16_t first, std::int16_t last) {
    canvas_->refresh_canvas(first, last);
}
void Form1::draw_rulers() { canvas_->draw_rulers(); }

void Form1::Cmd_trans_Click() { marking_->Cmd_trans_Click(); }
void Form1::Picture3_MouseDown(int button, int shift, float x, float y) {
    marking_->Picture3_MouseDown(button, shift, x, y);
}
void Form1::advance_after_mark() { marking_->advance_after_mark(); }
bool Form1::mark_at(float x, float y) { return marking_->mark_at(x, y); }

void Form1::Cmd_Length2_Click() { calibration_->Cmd_Length2_Click(); }
void Form1::calibration_click(float x, float y) { calibration_->calibration_click(x, y); }
void Form1::reset_calibration() { calibration_->reset_calibration(); }

void Form1::Cmd_Xchange_Click() { axes_->Cmd_Xchange_Click(); }
void Form1::Cmd_Ychange_Click() { axes_->Cmd_Ychange_Click(); }

void Form1::Cmd_Reset_Click() { erasing_->Cmd_Reset_Click(); }
void Form1::Command6_Click() { erasing_->Command6_Click(); }
