// make_sample: writes a clip of the sample scene, a ball in flight over a 320 x 240 picture with
// a black bar of 1.00 m (160 pixels) lying on the ground.
//   make_sample [OPTIONS] OUTPUT
//     --falling        a ball falling at 9.8 m/s² instead of the one thrown and bouncing
//     --across         a ball thrown higher that leaves the picture on the right in the air
//     --clutter        boxes and discs of many colours in the sky behind the ball
//     --obstacle       a post the ball passes behind
//     --size WxH       the picture's size (320x240): the scene scaled to its height, centred
//     --rate N         frames per second the clip plays at (30)
//     --capture N      frames per second it was filmed at (as --rate): slow motion when larger
//     --tag            tag the capture rate in the file as a phone does (mp4, mov, m4v)
//     --frames N       frames (50)
//     --container C    avi, mp4, mov, m4v, mkv, webm (avi)
//     --encoder E      an FFmpeg encoder (mjpeg)
// Without options it writes the committed sample, samples/ball_throw.avi.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/ball_scene.h"
#include "tools/clip_writer.h"

int main(int argc, char** argv) {
    ClipFormat clip_format;
    clip_format.frames = 50;
    clip_format.quality = 3;
    BallScene scene;
    double capture = 0;
    bool tag = false;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool valued = i + 1 < argc;
        if (option == "--falling") {
            scene.motion = BallMotion::Falling;
        } else if (option == "--across") {
            scene.motion = BallMotion::Across;
        } else if (option == "--clutter") {
            scene.cluttered = true;
        } else if (option == "--obstacle") {
            scene.obstacle = true;
        } else if (option == "--size" && valued) {
            int w = 0, h = 0;
            if (std::sscanf(argv[++i], "%dx%d", &w, &h) != 2 || w <= 0 || h <= 0) {
                output.clear();
                break;
            }
            scene.size = QSize(w, h);
        } else if (option == "--tag") {
            tag = true;
        } else if (option == "--rate" && valued) {
            clip_format.rate_num = std::atoi(argv[++i]);
        } else if (option == "--capture" && valued) {
            capture = std::atof(argv[++i]);
        } else if (option == "--frames" && valued) {
            clip_format.frames = std::atoi(argv[++i]);
        } else if (option == "--container" && valued) {
            clip_format.container = argv[++i];
        } else if (option == "--encoder" && valued) {
            clip_format.encoder = argv[++i];
        } else if (option.rfind("--", 0) != 0 && output.empty()) {
            output = option;
        } else {
            output.clear();
            break;
        }
    }
    if (output.empty() || clip_format.rate_num <= 0 || clip_format.frames <= 0 || capture < 0) {
        std::fprintf(
            stderr,
            "usage: make_sample [--falling | --across] [--clutter] [--obstacle] [--size WxH] "
            "[--rate N] [--capture N] [--tag] [--frames N] "
            "[--container C] [--encoder E] OUTPUT\n");
        return 2;
    }
    if (capture == 0) capture = clip_format.rate_num;
    if (tag) clip_format.capture_fps = capture;
    clip_format.width = scene.size.width();
    clip_format.height = scene.size.height();
    const std::string error = write_clip(
        output, clip_format, [&](int frame) { return ball_picture(scene, frame / capture); });
    if (!error.empty()) {
        std::fprintf(stderr, "make_sample: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
