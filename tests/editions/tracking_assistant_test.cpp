// The tracking assistant from the user's actions to the saved file: clips of a ball made at test
// time are opened through the file menu and the real video service, the ball clicked once on
// the canvas, and 「自動追跡」 pressed. The marks it records lie on the ball, it stops where it
// must and says why, and its marks are ordinary marks: the x-t file is byte for byte the one
// that clicks at the same points make.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <cmath>
#include <map>
#include <set>

#include "editions/kinvora_wiring.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/picture_box.h"
#include "tables/table_windows.h"
#include "tests/editions/real_windows.h"
#include "tests/support/scripted_desktop.h"
#include "tools/ball_scene.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"

namespace {

const QString kStopped = QStringLiteral("自動追跡：停止しました");
const QString kLeaving = QStringLiteral("自動追跡：このまま進むと画面の外に出るので止めました");
const QString kUnsure = QStringLiteral("自動追跡：位置が確かでないので止めました（一致度 ");
const QString kClipEnd =
    QStringLiteral("自動追跡：ビデオの終わりなので止めました（コマが進みません）");

class TrackingAssistantTest : public ::testing::Test {
  protected:
    TrackingAssistantTest() {
        state() = AnalysisState{};
        set_video_service(&svc);
        wire_kinvora_windows(main);
        main.show();
        button = main.findChild<QPushButton*>(QStringLiteral("Cmd_自動追跡"));
    }
    ~TrackingAssistantTest() override {
        form5().destroy();
        form3().destroy();
        set_video_service(nullptr);
    }

    void open(const QString& path) { open_onto_canvas(main, desk, path); }
    // A press and release at a point of the canvas's drawing area, to a fraction of a pixel
    // (as a pointer on a scaled screen reports it).
    void click_canvas(QPointF at) {
        const QPointF local = at + QPointF(PictureBox::kBorder, PictureBox::kBorder);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, local, main.Picture3->mapToGlobal(local), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
            QApplication::sendEvent(main.Picture3, &event);
        }
    }
    // Presses 「自動追跡」 and waits until it stops.
    void run_assistant() {
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(button->text(), QStringLiteral("停止"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return button->text() == QStringLiteral("自動追跡"); },
                                    120000));
    }
    std::string save_xt(const QString& name) {
        const QString path = dir.filePath(name);
        desk.save_answers.push_back(path);
        QTest::mouseClick(main.Cmd_st, Qt::LeftButton);
        QTest::mouseClick(form3()->Cmd_data, Qt::LeftButton);
        QTest::mouseClick(form5()->Cmd_save, Qt::LeftButton);
        form5().destroy();
        form3().destroy();
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
    }

    ScriptedDesktop desk;
    ScopedDesktop scoped{desk};
    FfmpegMediaService svc;
    QTemporaryDir dir;
    Form1 main;
    QPushButton* button = nullptr;
};

// Usable with a mark while marking is on, whatever changed the marks or marking; pressed at a
// mark on the plain sky it says why it cannot follow.
TEST_F(TrackingAssistantTest, UsableWithAMarkWhileMarkingIsOn) {
    const QString path = dir.filePath(QStringLiteral("sky.avi"));
    ASSERT_EQ(write_clip(path.toStdString(), ClipFormat{},
                         [](int k) { return ball_picture(BallMotion::Across, k / 30.0); }),
              "");
    const struct {
        const char* action;
        bool enabled;
    } steps[] = {{"open", false},         {"再生", false}, {"mark", true},
                 {"マーク消去", false},   {"mark", true},  {"mark", true},
                 {"全マーク消去", false}, {"mark", true},  {"close", false},
                 {"open", false},         {"mark", false}, {"再生", false},
                 {"画像転送", false},     {"mark", true}};
    const std::map<std::string, QPushButton*> buttons = {{"再生", main.Command1},
                                                         {"画像転送", main.Cmd_trans},
                                                         {"マーク消去", main.Cmd_Reset},
                                                         {"全マーク消去", main.Command6}};
    for (const auto& step : steps) {
        const std::string action = step.action;
        if (action == "open") {
            desk.open_answers.push_back(path);
            main.mnuopen->trigger();
            main.Timer1->stop();  // only what the actions themselves do counts
        } else if (action == "close") {
            main.mnuclose->trigger();
        } else if (action == "mark") {
            QTest::mouseClick(main.Picture3, Qt::LeftButton, {}, QPoint(102, 152));
        } else {
            QTest::mouseClick(buttons.at(action), Qt::LeftButton);
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(button->isEnabled(), step.enabled) << action;
    }
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(main.Label13->text(),
              QStringLiteral("自動追跡：マークの周りに模様がないので追えません"));
    EXPECT_EQ(button->text(), QStringLiteral("自動追跡"));
    EXPECT_EQ(state().mark_count, 1);
}

TEST_F(TrackingAssistantTest, MarksTheBallFromOneClickAndStopsWhereItMust) {
    BallScene cluttered{BallMotion::Across}, behind{BallMotion::Across}, wide{BallMotion::Across};
    cluttered.cluttered = true;
    behind.obstacle = wide.obstacle = true;
    wide.size = QSize(640, 360);
    const struct {
        const char* what;
        BallScene scene;
        int rate, frames;
        QRectF shown;    // where the picture lies on the canvas
        QString reason;  // what the line says at the end (the start of it)
        int stop_after;  // 停止 pressed during the paced steps after this mark; 0: never
    } rows[] = {
        {"plain, out on the right", {BallMotion::Across}, 30, 30, {0, 0, 320, 240}, kLeaving, 0},
        {"cluttered, out on the right", cluttered, 30, 30, {0, 0, 320, 240}, kLeaving, 0},
        {"behind the post", behind, 60, 60, {0, 0, 320, 240}, kUnsure, 0},
        {"16:9 letterboxed, behind the post", wide, 60, 60, {0, 30, 320, 180}, kUnsure, 0},
        {"the clip ends first", {BallMotion::Across}, 60, 21, {0, 0, 320, 240}, kClipEnd, 0},
        {"停止 during the paced steps, the last mark mended, on again",
         {BallMotion::Across},
         60,
         60,
         {0, 0, 320, 240},
         kLeaving,
         4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const int index = static_cast<int>(&row - rows);
        ClipFormat format;
        format.container = row.rate == 30 ? "avi" : "mp4";
        format.encoder = row.rate == 30 ? "mjpeg" : "mpeg4";
        format.width = row.scene.size.width();
        format.height = row.scene.size.height();
        format.rate_num = row.rate;
        format.frames = row.frames;
        const QString path = dir.filePath(QStringLiteral("clip%1.").arg(index) +
                                          QString::fromStdString(format.container));
        ASSERT_EQ(write_clip(path.toStdString(), format,
                             [&](int k) { return ball_picture(row.scene, double(k) / row.rate); }),
                  "");
        // The ball's true centre on the canvas on a frame: the painter's pixel (i, j) is the
        // canvas's (i, j) scaled, its centre half a pixel in.
        const double scale = row.shown.width() / row.scene.size.width();
        auto centre = [&](int frame) {
            return row.shown.topLeft() + ball_centre(row.scene, double(frame) / row.rate) * scale -
                   QPointF(0.5, 0.5);
        };
        open(path);
        EXPECT_FALSE(button->isEnabled());
        click_canvas(centre(0));
        ASSERT_EQ(state().mark_count, 1);
        ASSERT_TRUE(button->isEnabled());
        std::set<int> clicked = {1};  // the marks made by hand

        if (row.stop_after) {
            // Presses wait in the queue while the clip is stepped; the one on 停止 counts.
            desk.tick_source = [&, posted = false]() mutable {
                if (!posted && state().mark_count == row.stop_after) {
                    posted = true;
                    const QPoint at = button->mapTo(&main, button->rect().center());
                    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                        QCoreApplication::postEvent(
                            main.windowHandle(),
                            new QMouseEvent(
                                type, at, main.mapToGlobal(at), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                {}));
                }
                return desk.ticks++;
            };
            run_assistant();
            desk.tick_source = nullptr;
            EXPECT_EQ(main.Label13->text(), kStopped);
            EXPECT_EQ(state().mark_count, row.stop_after);
            // The last mark taken back, made again by hand, and the assistant goes on.
            QTest::mouseClick(main.Cmd_Reset, Qt::LeftButton);
            click_canvas(centre(*main.canvas_frame));
            clicked.insert(row.stop_after);
        }
        run_assistant();
        EXPECT_TRUE(main.Label13->text().startsWith(row.reason))
            << main.Label13->text().toStdString();

        const AnalysisState& s = state();
        ASSERT_GE(s.mark_count, 6);
        std::vector<QPointF> points;
        for (int k = 1; k <= s.mark_count; ++k) {
            const auto n = static_cast<std::size_t>(k);
            points.emplace_back(main.mark_cx[n], main.mark_cy[n]);
            const QPointF error = points.back() - centre(s.mark_frame[n]);
            EXPECT_LT(std::hypot(error.x(), error.y()), 0.5)
                << "mark " << k << " on frame " << s.mark_frame[n];
            EXPECT_EQ(s.mark_frame[n], 2 * (k - 1));
        }
        // Where it stopped: on the canvas's frame the ball reaches the picture's edge, or
        // passes behind the post.
        const QPointF ball = ball_centre(row.scene, double(*main.canvas_frame) / row.rate);
        const double radius = 7.0 * row.scene.size.height() / 240;
        if (row.reason == kLeaving) {
            EXPECT_GT(ball.x() + 2 * radius, row.scene.size.width());
        } else if (row.reason == kUnsure) {
            const QRectF post = ball_post(row.scene);
            EXPECT_LT(std::abs(ball.x() - post.center().x()), post.width() / 2 + radius);
        } else {
            EXPECT_EQ(*main.canvas_frame, row.frames - 1);
        }

        // Its scores show over its marks, not over the user's.
        auto tooltip_at = [&](QPointF p) {
            const QPoint at = (p + QPointF(2, 2)).toPoint();
            QHelpEvent help(QEvent::ToolTip, at, main.Picture3->mapToGlobal(at));
            QApplication::sendEvent(main.Picture3, &help);
            return help.isAccepted() ? QToolTip::text() : QString();  // ignored: no tooltip
        };
        const QRegularExpression score(
            QStringLiteral("^(\\d+)点目　一致度 0\\.(8[89]|9\\d)（自動追跡）$"));
        for (int k = 1; k <= s.mark_count; ++k) {
            const QString tip = tooltip_at(points[static_cast<std::size_t>(k - 1)]);
            if (clicked.count(k)) {
                EXPECT_EQ(tip, QString()) << k;
            } else {
                EXPECT_EQ(score.match(tip).captured(1), QString::number(k)) << tip.toStdString();
            }
        }

        // The same points clicked from the same frame make the same file.
        const std::string tracked = save_xt(QStringLiteral("tracked%1.csv").arg(index));
        QTest::mouseClick(main.Command6, Qt::LeftButton);
        QTest::mouseClick(main.Cmd_makimodoshi, Qt::LeftButton);
        QTest::mouseClick(main.Cmd_trans, Qt::LeftButton);
        for (const QPointF& p : points)
            main.Picture3_MouseDown(1, 0, static_cast<float>(p.x()), static_cast<float>(p.y()));
        EXPECT_EQ(save_xt(QStringLiteral("clicked%1.csv").arg(index)), tracked);
        EXPECT_TRUE(desk.messages.empty());
    }
}

}  // namespace
