// Command lines of every kind, sent to the video service with an AVI clip open under the alias
// v and a phone's MP4 under w (portrait, trimmed by an edit list, variable rate, with sound).
// Each input is a few lines; "$HDC" and "$HWND" in a line stand for the canvas's handles.
#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "mediaservice/command_words.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "mediaservice/media_errors.h"
#include "platform/picture_box.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/clip_writer.h"

namespace {

PictureBox* canvas = nullptr;
std::string clip_path;
std::string movie_path;

QImage coloured(int k) {
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((k * 30 % 360 + 360) % 360, 200, 200));
    return picture;
}

std::string with_handles(std::string line) {
    for (const auto& [token, handle] :
         {std::pair<std::string, Handle>{"$HDC", canvas->hDC()}, {"$HWND", canvas->hWnd()}}) {
        for (auto at = line.find(token); at != std::string::npos; at = line.find(token, at))
            line.replace(at, token.size(), std::to_string(handle));
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    start_fuzz_application();
    canvas = new PictureBox;
    canvas->set_outer_size(80, 60);
    ClipFormat format;
    format.width = 64;
    format.height = 48;
    format.frames = 12;
    clip_path = fuzz_folder() + "/clip.avi";
    if (!write_clip(clip_path, format, coloured).empty()) std::abort();
    ClipFormat movie = format;
    movie.container = "mp4";
    movie.encoder = "libx264";
    movie.b_frames = 2;
    movie.rotation = 90;
    movie.hidden_frames = 2;
    movie.durations = {3000, 1500, 4500};
    movie.audio_encoder = "aac";
    movie_path = fuzz_folder() + "/movie.mp4";
    if (!write_clip(movie_path, movie, coloured).empty()) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The parsers on their own, on the whole input.
    (void)split_command(text);
    (void)parse_integer(text);
    (void)percent_decode(text);
    (void)is_word(text, "open");

    // One service for many inputs, so that each input costs its commands and not an open;
    // an input that may open clips of its own gets a fresh one, which closes them again.
    static std::unique_ptr<FfmpegMediaService> service;
    const bool opens = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                           .contains(QLatin1String("open"), Qt::CaseInsensitive);
    if (!service || opens) service = std::make_unique<FfmpegMediaService>();
    std::string reply;
    service->send("open " + clip_path + " alias v parent " + std::to_string(canvas->hWnd()), reply);
    service->send("open " + movie_path + " alias w parent " + std::to_string(canvas->hWnd()),
                  reply);
    int lines = 0;
    for (std::size_t start = 0; start <= text.size() && lines < 16; ++lines) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = with_handles(std::string(text.substr(start, end - start)));
        const int code = service->send(line, reply);
        // A failure always says why, within the caller's buffer.
        if (code != 0 &&
            (reply.empty() || QString::fromStdString(reply).toUcs4().size() > kMostErrorChars))
            std::abort();
        start = end + 1;
    }
    return 0;
}
