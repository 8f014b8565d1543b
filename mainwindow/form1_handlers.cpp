// The window's handlers that belong to a collaborator: each passes the event on unchanged.
#include "mainwindow/form1.h"
#include "video/clip_files.h"
#include "video/transport.h"

void Form1::Command1_Click() { transport_->Command1_Click(); }
void Form1::Command2_Click() { transport_->Command2_Click(); }
void Form1::Command3_Click() { transport_->Command3_Click(); }
void Form1::Command4_Click() { transport_->Command4_Click(); }
void Form1::Cmd_makimodoshi_Click() { transport_->Cmd_makimodoshi_Click(); }
void Form1::HScroll1_Scroll() { transport_->HScroll1_Scroll(); }
void Form1::Timer1_Timer() { transport_->Timer1_Timer(); }
void Form1::Option1_Click() { transport_->Option1_Click(); }
void Form1::Option2_Click() { transport_->Option2_Click(); }
void Form1::wait_for_tick_change(const std::string& command) {
    transport_->wait_for_tick_change(command);
}

void Form1::mnuopen_Click() { clip_files_->mnuopen_Click(); }
void Form1::mnuclose_Click() { clip_files_->mnuclose_Click(); }
void Form1::open_clip(const QString& path) { clip_files_->open_clip(path); }
