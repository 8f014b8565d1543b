// Times you can trust, from the user's actions to the saved files: clips of a falling ball made
// at test time are opened through the file menu and the real video service, their frames
// brought onto the canvas and marked at the ball, and both tables saved through Qt's own save
// dialog. The files' times are the clip's real times and their velocities the ball's, whatever
// the clip's rate, and whatever the user did with the transport between marks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <sstream>

#include "editions/kinvora_wiring.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/picture_box.h"
#include "platform/qt_desktop.h"
#include "tables/table_windows.h"
#include "tests/support/scripted_desktop.h"
#include "tools/ball_scene.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"

namespace {

// The scripted desktop, but saving through Qt's own (non-native) file dialog.
class SavingDesktop : public ScriptedDesktop {
  public:
    std::optional<QString> save_file(const FileDialogRequest& request) override {
        return real_.save_file(request);
    }

  private:
    QtDesktop real_;
};

// The real service, with a look at every command before it runs.
class WatchedService : public MediaService {
  public:
    int send(std::string_view command, std::string& reply) override {
        if (before) before(command);
        return real_.send(command, reply);
    }
    std::string error_text(int code) override { return real_.error_text(code); }
    std::function<void(std::string_view)> before;

  private:
    FfmpegMediaService real_;
};

// The centre of the red ball on the canvas, to the nearest pixel.
QPoint ball_on_canvas(const PictureBox& canvas) {
    double sx = 0, sy = 0;
    int n = 0;
    const QSize size = canvas.area_size();
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QColor c(canvas.pixel_at(x, y));
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100) sx += x, sy += y, ++n;
        }
    return n ? QPoint(qRound(sx / n), qRound(sy / n)) : QPoint(-1, -1);
}

// The cells of a CSV file's data lines, as numbers.
std::vector<std::array<double, 3>> csv_rows(const QString& path) {
    QFile file(path);
    std::vector<std::array<double, 3>> rows;
    if (!file.open(QIODevice::ReadOnly)) return rows;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> cells = lines[i].trimmed().split(',');
        if (cells.size() != 3) continue;
        std::array<double, 3> row{};
        for (int k = 0; k < 3; ++k)
            row[k] = cells[k].mid(1, cells[k].size() - 2).trimmed().toDouble();
        rows.push_back(row);
    }
    return rows;
}

class ClipTimes : public ::testing::Test {
  protected:
    ClipTimes() {
        state() = AnalysisState{};
        set_video_service(&svc);
        wire_kinvora_windows(main);
        main.show();
    }
    ~ClipTimes() override {
        close_graphs_and_tables();
        set_video_service(nullptr);
    }
    static void close_graphs_and_tables() {
        form5().destroy();
        form6().destroy();
        form2().destroy();
        form3().destroy();
    }
    // Saves through the table's button and Qt's dialog; returns the file's rows.
    std::vector<std::array<double, 3>> save(QPushButton* button, const QString& name) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(dir.path());
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            QTest::keyClicks(edit, name);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        return csv_rows(dir.filePath(name + ".csv"));
    }

    SavingDesktop desk;
    ScopedDesktop scoped{desk};
    WatchedService svc;
    QTemporaryDir dir;
    Form1 main;
};

TEST_F(ClipTimes, FilesHoldTheClipsRealTimesAndTheBallsVelocities) {
    struct Row {
        const char* what;
        ClipFormat format;
        double capture;       // real frames per second when filmed at a constant rate
        const char* typed;    // into 「撮影時のコマ数/秒」; nullptr: nothing typed
        bool own;             // the clip's own timing chosen at open
        const char* actions;  // m<N>: 送りコマ数 N and a click at the ball (m<N>! with two
                              // more presses during its steps); > コマ送り; < コマ戻し
    };
    const auto format = [](const char* container, const char* encoder, int rate, int frames) {
        ClipFormat f;
        f.container = container;
        f.encoder = encoder;
        f.rate_num = rate;
        f.frames = frames;
        return f;
    };
    ClipFormat tagged = format("mp4", "mpeg4", 30, 120);
    tagged.capture_fps = 240;
    ClipFormat changing = format("mp4", "mpeg4", 60, 60);
    changing.durations.assign(12, 1500);  // 12 frames at 1/60 s, then 48 at 1/30 s
    changing.durations.resize(60, 3000);
    const std::string every3 = "m3 m3 m3 m3 m3 m3 m3 m3";
    const std::string every12 = "m12 m12 m12 m12 m12 m12 m12 m12";
    const Row rows[] = {
        {"60 fps", format("mp4", "mpeg4", 60, 40), 60, nullptr, true, every3.c_str()},
        {"slow motion tagged 240", tagged, 240, nullptr, true, every12.c_str()},
        {"slow motion, 240 typed", format("mp4", "mpeg4", 30, 120), 240, "240", false,
         every12.c_str()},
        {"rate changing part-way", changing, 0, nullptr, true, "m3 m3 m3 m3 m3 m3 m3"},
        {"30 fps AVI", format("avi", "mjpeg", 30, 30), 30, nullptr, false,
         "m2 m2 m2 m2 m2 m2 m2 m2"},
        {"送りコマ数 changed, コマ送り and コマ戻し between marks, at 1/30 s",
         format("avi", "mjpeg", 30, 30), 30, nullptr, false, "m2 m3 > m2 > > m2 < m3 m2"},
        {"the same in the clip's timing", format("mp4", "mpeg4", 60, 40), 60, nullptr, true,
         "m3 m4 > m3 > > m3 < m4 m3"},
        {"two quick presses during the paced steps", format("mp4", "mpeg4", 60, 40), 60, nullptr,
         true, "m3 m3! m3 m3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        // Real seconds of each frame from frame 0.
        std::vector<double> real(static_cast<std::size_t>(row.format.frames), 0.0);
        for (std::size_t k = 1; k < real.size(); ++k)
            real[k] = row.capture > 0 ? k / row.capture
                                      : real[k - 1] + row.format.durations[k - 1] / 90000.0;
        const QString path = dir.filePath(QString("clip%1.%2")
                                              .arg(&row - rows)
                                              .arg(QString::fromStdString(row.format.container)));
        ASSERT_EQ(write_clip(path.toStdString(), row.format,
                             [&](int k) { return ball_picture(BallMotion::Falling, real.at(k)); }),
                  "");
        desk.open_answers.push_back(path);
        main.mnuopen->trigger();
        desk.beeps = 0;  // the close before the first open finds no clip open
        EXPECT_EQ(static_cast<bool>(state().clip_timing), row.own);
        QTest::mouseClick(main.Command1, Qt::LeftButton);  // 再生
        QTest::mouseClick(main.Command2, Qt::LeftButton);  // 一時停止
        QTest::mouseClick(main.Cmd_makimodoshi, Qt::LeftButton);
        QTest::mouseClick(main.Cmd_trans, Qt::LeftButton);
        if (row.typed) {
            QApplication::setActiveWindow(&main);
            main.Text5->setFocus();
            QTest::keyClicks(main.Text5, QString::fromUtf8(row.typed));
        }

        // Marks at the ball; the frames the user marked, counted as the user moved the clip.
        std::vector<int> marked;
        int frame = 0;
        std::istringstream in(row.actions);
        for (std::string a; in >> a;) {
            if (a == ">" || a == "<") {
                QTest::mouseClick(a == ">" ? main.Command3 : main.Command4, Qt::LeftButton);
                frame += a == ">" ? 1 : -1;
                continue;
            }
            const QPoint ball = ball_on_canvas(*main.Picture3) + QPoint(2, 2);  // inside the border
            if (a.back() == '!') {
                svc.before = [&](std::string_view command) {
                    if (command != "step avfile") return;
                    for (int i = 0; i < 2; ++i)
                        QCoreApplication::postEvent(
                            main.Picture3, new QMouseEvent(QEvent::MouseButtonPress, ball,
                                                           main.Picture3->mapToGlobal(ball),
                                                           Qt::LeftButton, Qt::LeftButton, {}));
                    svc.before = nullptr;
                };
            }
            main.Text3->setText(QString::fromStdString(a.substr(1, a.find('!') - 1)));
            QTest::mouseClick(main.Picture3, Qt::LeftButton, {}, ball);
            QCoreApplication::processEvents();
            marked.push_back(frame);
            frame += std::stoi(a.substr(1));
        }
        ASSERT_EQ(state().mark_count, static_cast<int>(marked.size()));

        QTest::mouseClick(main.Cmd_st, Qt::LeftButton);
        QTest::mouseClick(form3()->Cmd_data, Qt::LeftButton);
        const auto xt = save(form5()->Cmd_save, QStringLiteral("xt%1").arg(&row - rows));
        QTest::mouseClick(main.Cmd_vt, Qt::LeftButton);
        QTest::mouseClick(form2()->Cmd_vt_table, Qt::LeftButton);
        const auto vt = save(form6()->Cmd_save, QStringLiteral("vt%1").arg(&row - rows));
        ASSERT_EQ(xt.size(), marked.size());
        ASSERT_EQ(vt.size(), marked.size() - 1);
        for (std::size_t i = 0; i < marked.size(); ++i)
            EXPECT_NEAR(xt[i][0], real[marked[i]] - real[marked[0]], 2e-6) << "mark " << i + 1;
        // In ruler units (40 pixels), x from the right and y upwards: the ball moves 6 units a
        // second to the right and falls at 9.8 m/s², 39.2 units/s²; its mean velocity over an
        // interval is its velocity at the interval's middle. Clicks are whole pixels.
        for (std::size_t i = 0; i + 1 < marked.size(); ++i) {
            const double t0 = real[marked[i]], t1 = real[marked[i + 1]];
            const double tolerance = 1.6 / 40 / (t1 - t0);
            EXPECT_NEAR(vt[i][0], (t0 + t1) / 2 - real[marked[0]], 2e-6) << "interval " << i + 1;
            EXPECT_NEAR(vt[i][1], -6.0, tolerance) << "interval " << i + 1;
            EXPECT_NEAR(vt[i][2], -39.2 * (t0 + t1) / 2, tolerance) << "interval " << i + 1;
        }
        EXPECT_EQ(desk.beeps, 0);
        EXPECT_TRUE(desk.messages.empty());
        close_graphs_and_tables();
    }
}

}  // namespace
