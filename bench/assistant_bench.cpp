// The tracking assistant's cost in the window: on a 1920 x 1080 clip of the ball scene, the
// steps 「自動追跡」 takes from one click (until the table is full) against clicks at the same
// points sent through the canvas's mouse-down handler, in the same run.
//   assistant_bench [--trials N] [--encoder E]
// Both take the whole path of a mark: the record, the advance of one frame (送りコマ数 1, a
// step time of 1 ms), the picture on the canvas; the assistant adds the full-size frame, the
// match and its own turn of the event loop. Prints a table row per trial and the medians.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editions/kinvora_wiring.h"
#include "mainwindow/form1.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "tools/ball_scene.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"

namespace {

constexpr int kFrames = 110;
constexpr double kCaptureRate = 240;  // slow motion: the ball stays in the picture

double ms_since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The clip from its first frame on the canvas, 1 frame a step, 1 ms a step.
void from_the_start(Form1& main) {
    main.Text3->setText(QStringLiteral("1"));
    main.Text4->setText(QStringLiteral("1"));
    main.Command6_Click();
    main.Cmd_makimodoshi_Click();
    main.Cmd_trans_Click();
}

struct Trial {
    int steps = 0;
    double tracked_ms = 0, plain_ms = 0;  // a step
};

Trial run_trial(Form1& main, QPushButton* button, const BallScene& scene) {
    Trial t;
    from_the_start(main);
    // The 16:9 picture shows 320 x 180 at y = 30 of the canvas.
    const QPointF first =
        ball_centre(scene, 0) * (320.0 / scene.size.width()) + QPointF(-0.5, 29.5);
    main.Picture3_MouseDown(1, 0, static_cast<float>(first.x()), static_cast<float>(first.y()));
    auto t0 = std::chrono::steady_clock::now();
    button->click();
    while (button->text() != QStringLiteral("自動追跡")) QApplication::processEvents();
    const double tracked = ms_since(t0);
    const int marks = state().mark_count;
    t.steps = marks - 1;
    std::vector<QPointF> points;
    for (int k = 1; k <= marks; ++k) {
        const auto n = static_cast<std::size_t>(k);
        points.emplace_back(main.mark_cx[n], main.mark_cy[n]);
    }

    from_the_start(main);
    main.Picture3_MouseDown(1, 0, static_cast<float>(points[0].x()),
                            static_cast<float>(points[0].y()));
    t0 = std::chrono::steady_clock::now();
    for (std::size_t k = 1; k < points.size(); ++k)
        main.Picture3_MouseDown(1, 0, static_cast<float>(points[k].x()),
                                static_cast<float>(points[k].y()));
    const double plain = ms_since(t0);
    t.tracked_ms = tracked / t.steps;
    t.plain_ms = plain / t.steps;
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    int trials = 3;
    std::string encoder = have_encoder("libx264") ? "libx264" : "mpeg4";
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--trials")) trials = std::max(1, std::atoi(argv[++i]));
        if (!std::strcmp(argv[i], "--encoder")) encoder = argv[++i];
    }

    BallScene scene{BallMotion::Across};
    scene.size = QSize(1920, 1080);
    ClipFormat format;
    format.container = "mp4";
    format.encoder = encoder;
    format.width = scene.size.width();
    format.height = scene.size.height();
    format.rate_num = 30;
    format.frames = kFrames;
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("ball1080.mp4")).toStdString();
    const std::string error =
        write_clip(path, format, [&](int k) { return ball_picture(scene, k / kCaptureRate); });
    if (!error.empty()) {
        std::fprintf(stderr, "assistant_bench: %s\n", error.c_str());
        return 1;
    }

    FfmpegMediaService service;
    set_video_service(&service);
    Form1& main = start_main_window(kinvora_program());
    main.show();
    main.open_clip(QString::fromStdString(path));
    main.Command1_Click();
    main.Command2_Click();
    auto* button = main.findChild<QPushButton*>(QStringLiteral("Cmd_自動追跡"));

    std::printf(
        "| trial | steps | plain step ms | tracked step ms | added ms a step |\n"
        "|---|---|---|---|---|\n");
    std::vector<double> plain, tracked, added;
    for (int i = 0; i < trials; ++i) {
        const Trial t = run_trial(main, button, scene);
        plain.push_back(t.plain_ms);
        tracked.push_back(t.tracked_ms);
        added.push_back(t.tracked_ms - t.plain_ms);
        std::printf("| %d | %d | %.2f | %.2f | %.2f |\n", i + 1, t.steps, t.plain_ms, t.tracked_ms,
                    t.tracked_ms - t.plain_ms);
    }
    std::printf("| median | | %.2f | %.2f | %.2f |\n", median(plain), median(tracked),
                median(added));
    set_video_service(nullptr);
    return 0;
}
