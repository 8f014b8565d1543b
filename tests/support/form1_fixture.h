#pragma once
// A main window driven through its handlers, with a scripted desktop and a scripted video
// service, over a fresh analysis state. Header only: the three window test programs share it.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
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
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "platform/twips.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/scripted_media_service.h"
#include "videodevice/video_device.h"

using Commands = std::vector<std::string>;
inline constexpr QRgb kWhite = 0xFFFFFF, kBlackRgb = 0x000000;
inline QRgb rgb(int palette_number) { return palette_color(palette_number).rgb() & 0xFFFFFF; }

// A control where the window places it: name, twips in its parent, caption or start text
// (nullptr: not checked).
struct ControlPlace {
    const char* name;
    int left, top, width, height;
    const char* text;
};

inline QString text_of(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    return qobject_cast<QLineEdit*>(w)->text();
}

// Checks that each control exists at its place with its text; returns the controls found.
inline std::vector<QWidget*> expect_controls_in_place(QWidget& form,
                                                      const std::vector<ControlPlace>& places) {
    std::vector<QWidget*> found;
    for (const ControlPlace& c : places) {
        auto* w = form.findChild<QWidget*>(QString::fromUtf8(c.name));
        EXPECT_NE(w, nullptr) << c.name;
        if (!w) continue;
        found.push_back(w);
        EXPECT_EQ(w->geometry(), QRect(twips_to_px(c.left), twips_to_px(c.top),
                                       twips_to_px(c.width), twips_to_px(c.height)))
            << c.name;
        if (c.text) {
            EXPECT_EQ(text_of(w), QString::fromUtf8(c.text)) << c.name;
        }
    }
    return found;
}

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
