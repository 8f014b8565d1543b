#pragma once
// A main window driven through its handlers, with a scripted desktop and a scripted video
// service, over a fresh analysis state. Header only: the three window test programs share it.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/form1.h"
#include "marking/form4.h"
#include "mediaservice/scripted_media_service.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "platform/scripted_desktop.h"
#include "video/video_device.h"

using Commands = std::vector<std::string>;
inline constexpr QRgb kWhite = 0xFFFFFF, kBlackRgb = 0x000000;
inline QRgb rgb(int palette_number) { return palette_color(palette_number).rgb() & 0xFFFFFF; }

class Form1Test : public ::testing::Test {
  protected:
    Form1Test() {
        state() = AnalysisState{};
        set_video_service(&svc);
        svc.journal = desk.journal = &journal;
        f = std::make_unique<Form1>();
        f->length_dialog = &form4_length_dialog();
        f->Form_Activate();
    }
    ~Form1Test() override {
        f.reset();
        form4().destroy();
        set_video_service(nullptr);
    }

    // An existing file for the open dialog to return.
    QString clip_path(const QString& name = QStringLiteral("clip.avi")) {
        QFile file(dir.filePath(name));
        if (!file.exists() && file.open(QIODevice::WriteOnly)) file.write("RIFF");
        return file.fileName();
    }
    // A successful open (and play); what was sent and recorded before is then forgotten.
    void open_clip() {
        desk.open_answers.push_back(clip_path());
        svc.answer("where avfile source", 0, "0 0 320 240");
        svc.answer("status avfile length", 0, "100");
        f->mnuopen_Click();
        forget();
    }
    void open_and_play() {
        open_clip();
        f->Command1_Click();
        forget();
    }
    void forget() {
        svc.commands.clear();
        journal.clear();
        desk.messages.clear();
        desk.beeps = 0;
    }
    // The tick counter moves on by `step` at every read, journalled as "tick".
    void journal_ticks(std::int32_t step) {
        desk.tick_source = [this, step] {
            journal.push_back("tick");
            return now_ += step;
        };
    }
    std::string update_command() const {
        return "update avfile hdc " + std::to_string(f->Picture3->hDC());
    }
    // A canvas click with the given frames per step.
    void mark(float x, float y, const char* frames = "0", int button = 1) {
        f->Text3->setText(QString::fromLatin1(frames));
        f->Picture3_MouseDown(button, 0, x, y);
    }
    QRgb canvas(int x, int y) const { return f->Picture3->pixel_at(x, y); }
    QRgb strip(int x, int y) const { return f->Picture2->pixel_at(x, y); }

    ScriptedDesktop desk;
    ScopedDesktop scoped_{desk};
    ScriptedMediaService svc;
    std::vector<std::string> journal;
    QTemporaryDir dir;
    std::unique_ptr<Form1> f;

  private:
    std::int32_t now_ = 0;
};
