// A clip named on the command line opens as if the file dialog had returned it: the same
// commands to the real video service, the same window afterwards, the same messages.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "editions/program_start.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "tests/support/scripted_desktop.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"

namespace {

// What a user sees after an open: the window's path label, the bar's length, whether the
// position is followed, and every message box with the beeps.
struct Outcome {
    QString label;
    int bar_maximum = 0;
    bool following = false;
    std::vector<std::pair<QString, QString>> messages;
    int beeps = 0;
    bool operator==(const Outcome&) const = default;
};

// Opens by the file menu (answers == the path) or by the command line, each in a new window.
Outcome open_in_new_window(const QStringList& arguments, bool through_dialog) {
    state() = AnalysisState{};
    ScriptedDesktop desk;
    ScopedDesktop scoped(desk);
    FfmpegMediaService service;
    set_video_service(&service);
    Outcome out;
    {
        Form1 window(Edition::Kinvora);
        if (through_dialog) {
            desk.open_answers.push_back(clip_argument(arguments));
            window.mnuopen_Click();
        } else {
            open_clip_argument(window, arguments);
        }
        out = {window.Label1->text(),
               window.HScroll1->maximum(),
               window.Timer1->isActive(),
               {},
               desk.beeps};
        for (const auto& m : desk.messages) out.messages.emplace_back(m.text, m.title);
    }
    set_video_service(nullptr);
    return out;
}

TEST(ClipArgument, OpensLikeTheFileMenu) {
    QTemporaryDir dir;
    const QString japanese = dir.filePath(QStringLiteral("物理 の 授業/ボール 投げ.avi"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(japanese).path()));
    ClipFormat format;
    format.frames = 12;
    ASSERT_EQ(write_clip(japanese.toStdString(), format,
                         [](int) { return QImage(320, 240, QImage::Format_RGB32); }),
              "");
    QFile text(dir.filePath(QStringLiteral("memo.avi")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a video\n");
    text.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QFileInfo(japanese).path());

    struct Case {
        const char* what;
        QString argument;   // after the program's name; null for none
        QString label;      // the path the window shows
        const char* error;  // part of the one message box's text; nullptr for none
    };
    const Case cases[] = {
        {"full path with blanks and Japanese", japanese, japanese, nullptr},
        {"relative path", QStringLiteral("ボール 投げ.avi"), japanese, nullptr},
        {"missing file", dir.filePath(QStringLiteral("無い.avi")), QString(),
         "ファイルが見つかりません"},
        {"not a video", text.fileName(), QString(), "ビデオとして読めない"},
        {"nothing named", QString(), QString(), nullptr},
    };
    const int untouched_bar = QScrollBar().maximum();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList arguments{QStringLiteral("kinvora")};
        if (!c.argument.isNull()) arguments << c.argument;
        const Outcome by_argument = open_in_new_window(arguments, false);
        EXPECT_EQ(by_argument.label, c.label);
        EXPECT_EQ(by_argument.bar_maximum, c.label.isEmpty() ? untouched_bar : format.frames);
        EXPECT_EQ(by_argument.following, !c.label.isEmpty());
        if (c.error) {
            ASSERT_EQ(by_argument.messages.size(), 1u);
            EXPECT_TRUE(by_argument.messages[0].first.contains(QString::fromUtf8(c.error)))
                << by_argument.messages[0].first.toStdString();
            EXPECT_EQ(by_argument.messages[0].second, QStringLiteral("Kinvora"));
        } else {
            EXPECT_TRUE(by_argument.messages.empty());
        }
        if (!c.argument.isNull()) {
            EXPECT_EQ(by_argument, open_in_new_window(arguments, true));
        }
    }
    QDir::setCurrent(previous);
}

}  // namespace
