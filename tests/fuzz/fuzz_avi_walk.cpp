// A damaged clip opened by the video service, then a short walk through it: seeks, steps
// both ways, paints into a canvas and questions about its timing and shape, in an order drawn
// from the input itself. Clips of every container come in (AVI, MP4, MOV, MKV, WebM), under
// a name that says nothing about their kind.
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "mediaservice/ffmpeg_media_service.h"
#include "platform/picture_box.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
PictureBox* canvas = nullptr;
const char* const kQuestions[] = {"frame interval", "variable rate", "capture rate",
                                  "rotation",       "length",        "mode"};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    start_fuzz_application();
    canvas = new PictureBox;
    canvas->set_outer_size(80, 60);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = write_fuzz_file("walk.clip", data, size);
    FfmpegMediaService service;
    std::string reply;
    if (service.send("open " + path + " alias v", reply) != 0) return 0;
    if (service.send("status v length", reply) != 0) std::abort();
    const int length = std::stoi(reply);
    if (length <= 0) std::abort();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::mt19937 random(static_cast<unsigned>(std::hash<std::string_view>{}(bytes)));
    const std::string hdc = std::to_string(canvas->hDC());
    for (int move = 0; move < 12; ++move) {
        std::string command;
        switch (random() % 7) {
            case 0:
                command =
                    "seek v to " + std::to_string(static_cast<int>(random() % (length + 4)) - 2);
                break;
            case 1:
                command = "step v";
                break;
            case 2:
                command = "step v reverse";
                break;
            case 3:
                command = "put v destination at 0 0 " + std::to_string(random() % 100) + " " +
                          std::to_string(random() % 100);
                break;
            case 4:
                command = "update v hdc " + hdc + (random() % 2 ? " full" : "");
                break;
            case 5:
                command = "status v " + std::string(kQuestions[random() % std::size(kQuestions)]);
                break;
            default:
                command = "status v time " +
                          std::to_string(static_cast<int>(random() % (length + 2)) - 1);
                break;
        }
        service.send(command, reply);
        // The position is always a frame of the clip.
        if (service.send("status v position", reply) != 0) std::abort();
        const int position = std::stoi(reply);
        if (position < 0 || position >= length) std::abort();
    }
    service.send("where v source", reply);
    // Frame 0 is the start of the clip's time.
    if (service.send("status v time 0", reply) == 0 && reply != "0") std::abort();
    return 0;
}
