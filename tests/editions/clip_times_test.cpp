// Times you can trust, from the user's actions to the saved files: clips of a falling ball made
// at test time are opened through the file menu and the real video service, their frames
// brought onto the canvas and marked at the ball, and both tables saved through Qt's own save
// dialog. The files' times are the clip's real times and their velocities the ball's, whatever
// the clip's rate and whatever the user did with the transport between marks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <map>
#include <sstream>

#include "editions/kinvora_wiring.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/picture_box.h"
#include "tables/table_windows.h"
#include "tests/editions/real_windows.h"
#include "tools/ball_scene.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"

namespace {

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
    // Saves through the table's button and Qt's dialog; the data lines' cells as numbers
    // (NaN for an empty cell).
    std::vector<std::array<double, 3>> save(QPushButton* button, const QString& name) {
        answer_file_dialog(dir.path(), name);
        QTest::mouseClick(button, Qt::LeftButton);
        QFile file(dir.filePath(name + ".csv"));
        std::vector<std::array<double, 3>> rows;
        const QList<QByteArray> lines =
            file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>{};
        for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
            std::array<double, 3> row{};
            for (int k = 0; k < 3; ++k) {
                bool ok = false;
                row[k] = lines[i].split(',').value(k).replace('"', "").trimmed().toDouble(&ok);
                if (!ok) row[k] = NAN;
            }
            rows.push_back(row);
        }
        return rows;
    }

    SavingDesktop desk;
    ScopedDesktop scoped{desk};
    FfmpegMediaService svc;
    QTemporaryDir dir;
    Form1 main;
};

TEST_F(ClipTimes, FilesHoldTheClipsRealTimesAndTheBallsVelocities) {
    const auto clip = [](const char* container, int rate, int frames, double tag = 0) {
        ClipFormat f;
        f.container = container;
        f.encoder = std::string(container) == "avi" ? "mjpeg" : "mpeg4";
        f.rate_num = rate;
        f.frames = frames;
        f.capture_fps = tag;
        return f;
    };
    ClipFormat changing = clip("mp4", 60, 60);
    changing.durations.assign(12, 1500);  // 12 frames at 1/60 s, then 48 at 1/30 s
    changing.durations.resize(60, 3000);
    const QString moving = QStringLiteral("このビデオは 60 コマ/秒です");
    const QString slow = QStringLiteral("撮影 240 コマ/秒（再生 30 コマ/秒）");
    const struct {
        const char* what;
        ClipFormat format;
        double capture;     // frames per second when filmed; 0: the clip's own times are real
        const char* typed;  // into 「撮影時のコマ数/秒」
        QString note;       // what the line under the frame says then
        // m<N>: 送りコマ数 N, then a click at the ball (m<N>!: and two more presses during its
        // steps); > コマ送り; < コマ戻し; r 巻き戻し; t 画像転送→; e マーク消去
        const char* actions;
    } rows[] = {
        {"60 fps", clip("mp4", 60, 40), 60, "", moving, "m3 m3 m3 m3 m3 m3 m3 m3"},
        {"slow motion tagged", clip("mp4", 30, 120, 240), 240, "", slow,
         "m12 m12 m12 m12 m12 m12 m12 m12"},
        {"slow motion, rate typed", clip("mp4", 30, 120), 240, "240", slow,
         "m12 m12 m12 m12 m12 m12 m12 m12"},
        {"rate changing part-way", changing, 0, "",
         QStringLiteral("コマの間隔が一定でないビデオです。時刻はビデオの時刻を使います"),
         "m3 m3 m3 m3 m3 m3 m3"},
        {"30 fps AVI: 送りコマ数 changed, コマ送り, コマ戻し between marks", clip("avi", 30, 30),
         30, "", "", "m2 m3 > m2 > > m2 < m3 m2"},
        {"60 fps: the same, an earlier frame, the same frame, an erase, quick presses",
         clip("mp4", 60, 40), 60, "", moving, "m3 m4! > m3 > > m3 < m4 r t m3 e m3 m0 m3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const int index = static_cast<int>(&row - rows);
        std::vector<double> real(static_cast<std::size_t>(row.format.frames), 0.0);  // seconds
        for (std::size_t k = 1; k < real.size(); ++k)
            real[k] =
                row.capture ? k / row.capture : real[k - 1] + row.format.durations[k - 1] / 9e4;
        const QString path = dir.filePath(QStringLiteral("clip%1.").arg(index) +
                                          QString::fromStdString(row.format.container));
        ASSERT_EQ(write_clip(path.toStdString(), row.format,
                             [&](int k) { return ball_picture(BallMotion::Falling, real.at(k)); }),
                  "");
        open_onto_canvas(main, desk, path);
        if (*row.typed) {
            QApplication::setActiveWindow(&main);
            main.Text5->setFocus();
            QTest::keyClicks(main.Text5, QString::fromUtf8(row.typed));
        }
        EXPECT_EQ(main.Label12->text(), row.note);
        EXPECT_EQ(main.Option3->isVisibleTo(&main), !row.note.isEmpty());

        // The frames marked: the clip's frame and the canvas's, as the user moved them.
        const std::map<std::string, QPushButton*> buttons = {{">", main.Command3},
                                                             {"<", main.Command4},
                                                             {"r", main.Cmd_makimodoshi},
                                                             {"t", main.Cmd_trans},
                                                             {"e", main.Cmd_Reset}};
        std::vector<int> marked;
        int at = 0, shown = 0;
        std::istringstream in(row.actions);
        for (std::string a; in >> a;) {
            if (a[0] != 'm') {
                QTest::mouseClick(buttons.at(a), Qt::LeftButton);
                if (a == "e") at = marked.back(), marked.pop_back();
                at = a == ">" ? at + 1 : a == "<" ? at - 1 : a == "r" ? 0 : at;
                if (a != "r") shown = at;
                continue;
            }
            const QPoint ball = ball_on_canvas(*main.Picture3);
            if (a.back() == '!') {  // presses during the paced steps, as the ticks go by
                desk.tick_source = [&, reads = 0]() mutable {
                    if (++reads == 2)
                        for (int i = 0; i < 2; ++i)
                            QCoreApplication::postEvent(
                                main.Picture3, new QMouseEvent(QEvent::MouseButtonPress, ball,
                                                               main.Picture3->mapToGlobal(ball),
                                                               Qt::LeftButton, Qt::LeftButton, {}));
                    return reads * 400;
                };
            }
            main.Text3->setText(QString::fromStdString(a.substr(1, a.find('!') - 1)));
            QTest::mouseClick(main.Picture3, Qt::LeftButton, {}, ball);
            QCoreApplication::processEvents();
            desk.tick_source = nullptr;
            if (!marked.empty() && shown < marked.back()) {
                EXPECT_EQ(main.Label13->text(),
                          QStringLiteral("記録しません。前のマーク（フレーム %1）より前のコマです")
                              .arg(marked.back()));
                continue;
            }
            marked.push_back(shown);
            shown = at = shown + std::stoi(a.substr(1));
        }
        ASSERT_EQ(state().mark_count, static_cast<int>(marked.size()));

        QTest::mouseClick(main.Cmd_st, Qt::LeftButton);
        QTest::mouseClick(form3()->Cmd_data, Qt::LeftButton);
        const auto xt = save(form5()->Cmd_save, QStringLiteral("xt%1").arg(index));
        QTest::mouseClick(main.Cmd_vt, Qt::LeftButton);
        QTest::mouseClick(form2()->Cmd_vt_table, Qt::LeftButton);
        const auto vt = save(form6()->Cmd_save, QStringLiteral("vt%1").arg(index));
        ASSERT_EQ(xt.size(), marked.size());
        ASSERT_EQ(vt.size(), marked.size() - 1);
        for (std::size_t i = 0; i < marked.size(); ++i)
            EXPECT_NEAR(xt[i][0], real[marked[i]] - real[marked[0]], 2e-6) << "mark " << i + 1;
        // In ruler units (40 pixels), x from the right and y upwards: the ball moves 6 units a
        // second to the right and falls at 9.8 m/s², 39.2 units/s²; its mean velocity over an
        // interval is its velocity at the interval's middle. Clicks are whole pixels. Two marks
        // on one frame have no velocity between them.
        for (std::size_t i = 0; i + 1 < marked.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "interval " << i + 1);
            const double t0 = real[marked[i]], t1 = real[marked[i + 1]];
            const double tolerance = 1.6 / 40 / (t1 - t0);
            EXPECT_NEAR(vt[i][0], (t0 + t1) / 2 - real[marked[0]], 2e-6);
            if (t1 == t0) {
                EXPECT_TRUE(std::isnan(vt[i][1]) && std::isnan(vt[i][2]));
                continue;
            }
            EXPECT_NEAR(vt[i][1], -6.0, tolerance);
            EXPECT_NEAR(vt[i][2], -39.2 * (t0 + t1) / 2, tolerance);
        }
        EXPECT_LE(desk.beeps, 1);  // the close before the first open finds no clip open
        EXPECT_TRUE(desk.messages.empty());
        close_graphs_and_tables();
    }
}

}  // namespace
