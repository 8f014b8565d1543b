// The real program, killed: started on a work file under a virtual X server, marked further by
// a click of the X server's own mouse, and killed with SIGKILL once it wrote its recovery file.
// A new main window then offers the work, and restoring it brings back every mark.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "editions/kinvora_wiring.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "tests/editions/real_windows.h"
#include "tools/ball_scene.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"
#include "workfile/recovery_store.h"
#include "workfile/work_file_io.h"
#include "worksession/recovery_bar.h"
#include "worksession/work_session.h"
#include "worksession/work_state.h"

namespace {

// Runs a short tool to its end; its output, or nothing when it failed or took too long.
std::optional<QString> run(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& environment) {
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, arguments);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    if (p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST(RecoveryAfterKill, TheWorkSinceTheLastWriteComesBack) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty()) GTEST_SKIP() << "needs Xvfb and xdotool";
    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("ball.avi"));
    const QString work = dir.filePath(QStringLiteral("ball.kinvora"));
    ClipFormat format;
    format.frames = 30;
    ASSERT_EQ(write_clip(clip.toStdString(), format,
                         [](int k) { return ball_picture(BallMotion::Falling, k / 30.0); }),
              "");
    ScriptedDesktop desk;
    ScopedDesktop scoped(desk);
    FfmpegMediaService service;
    set_video_service(&service);
    {  // two marks, saved as a work file
        state() = AnalysisState{};
        Form1 window(Edition::Kinvora);
        wire_kinvora_windows(window);
        window.show();
        open_onto_canvas(window, desk, clip);
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(window.Picture3, Qt::LeftButton, {},
                              ball_on_canvas(*window.Picture3));
        desk.save_answers.push_back(work);
        dynamic_cast<WorkSession*>(window.clip_work)->mnuworksave->trigger();
    }
    const std::optional<WorkFile> saved = read_work_file(work, nullptr);
    ASSERT_TRUE(saved && saved->marks.size() == 2u);

    QProcess x_server;
    x_server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    ASSERT_TRUE(x_server.waitForReadyRead(20000));
    const QString display = ":" + QString::fromLatin1(x_server.readLine()).trimmed();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("QT_QPA_PLATFORM", "xcb");
    // Under the address sanitizer, libxkbcommon-x11 strndup()s keymap names that hold no NUL
    // within the length it passes, which is allowed but which strict string checks report.
    if (env.contains("ASAN_OPTIONS"))
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
    QProcess program;
    program.setProcessEnvironment(env);  // the same state folder as this test's windows
    program.start(QStringLiteral(KV_KINVORA_PROGRAM), {work});
    const std::optional<QString> id = run(
        xdotool, {"search", "--sync", "--onlyvisible", "--name", "ビデオによる運動の分析"}, env);
    ASSERT_TRUE(id && !id->isEmpty()) << program.readAllStandardError().toStdString();
    // The middle of the canvas, below the menu bar (whatever its height): a mark, once the work
    // file has opened; clicked again until the program wrote the work down.
    const QString recovery = recovery_file_for(clip);
    for (int i = 0; i < 5 && !QFileInfo::exists(recovery); ++i) {
        run(xdotool, {"mousemove", "--window", id->split('\n').first(), "560", "180", "click", "1"},
            env);
        for (int waited = 0; waited < 50 && !QFileInfo::exists(recovery); ++waited)
            QTest::qWait(100);
    }
    ASSERT_TRUE(QFileInfo::exists(recovery));
    QTest::qWait(200);  // a write is atomic: the file is whole once it is there
    program.kill();     // SIGKILL
    program.waitForFinished();
    x_server.terminate();
    x_server.waitForFinished();
    const std::optional<WorkFile> kept = read_work_file(recovery, nullptr);
    ASSERT_TRUE(kept);
    ASSERT_GT(kept->marks.size(), 2u);
    EXPECT_EQ(kept->marks.front(), saved->marks.front());
    EXPECT_EQ(kept->marks[2].canvas_x, 560 - 400 - 2) << "where the X server clicked";

    state() = AnalysisState{};
    Form1 window(Edition::Kinvora);
    wire_kinvora_windows(window);
    window.show();
    auto& session = *dynamic_cast<WorkSession*>(window.clip_work);
    ASSERT_EQ(session.bar->offered(), recovery);
    QTest::mouseClick(session.bar->Cmd_restore, Qt::LeftButton);
    EXPECT_EQ(current_work(window, clip).marks, kept->marks);
    for (const auto& m : desk.messages) ADD_FAILURE() << m.text.toStdString();
    set_video_service(nullptr);
}

}  // namespace
