// Writes the starting inputs of the fuzz targets into a folder, one subfolder a target:
// small clips made by the clip writer, command scripts, number texts, lines of text and work
// files.
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fuzz/hostile_movies.h"
#include "tests/fuzz/workfile_seeds.h"
#include "tools/clip_writer.h"

namespace {

namespace fs = std::filesystem;

void write_text(const fs::path& folder, const std::vector<std::string>& texts) {
    fs::create_directories(folder);
    int k = 0;
    for (const std::string& text : texts)
        std::ofstream(folder / ("seed" + std::to_string(k++)), std::ios::binary) << text;
}

// Frame k (negative for frames hidden by an edit list): a colour and a dark column of its own.
QImage picture(int k, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((k * 37 % 360 + 360) % 360, 180, 220));
    for (int y = 0; y < height; ++y) image.setPixel((k % width + width) % width, y, qRgb(0, 0, 0));
    return image;
}

bool write_clips(const fs::path& folder) {
    fs::create_directories(folder);
    struct Seed {
        const char* name;
        ClipFormat format;
    };
    std::vector<Seed> seeds;
    auto add = [&](const char* name, const char* encoder, int frames, int b_frames, int gop) {
        ClipFormat format;
        format.encoder = encoder;
        format.width = 48;
        format.height = 32;
        format.frames = frames;
        format.b_frames = b_frames;
        format.gop = gop;
        seeds.push_back({name, format});
    };
    add("mjpeg.avi", "mjpeg", 6, 0, 1);
    add("mpeg4.avi", "mpeg4", 10, 2, 4);
    add("mpeg4_p.avi", "mpeg4", 8, 0, 3);
    add("raw.avi", "rawvideo", 4, 0, 1);
    if (have_encoder("libx264")) add("h264.avi", "libx264", 10, 2, 4);
    ClipFormat dropped = seeds.front().format;
    dropped.dropped = {2, 3};
    seeds.push_back({"dropped.avi", dropped});
    ClipFormat bottom_up = seeds.front().format;
    bottom_up.encoder = "rawvideo";
    bottom_up.bottom_up_raw = true;
    seeds.push_back({"bottom_up.avi", bottom_up});
    // Movies as phones write them: B-frames behind an edit list, a portrait rotation, a capture
    // rate tag, sound, HEVC 10-bit, variable frame rates, several Matroska clusters.
    auto movie = [&](const char* name, const char* container, const char* encoder, int b_frames) {
        add(name, encoder, 10, b_frames, 4);
        seeds.back().format.container = container;
        return &seeds.back().format;
    };
    ClipFormat* phone = movie("phone.mp4", "mp4", "libx264", 2);
    phone->rotation = 90;
    phone->hidden_frames = 3;
    phone->capture_fps = 120;
    phone->audio_encoder = "aac";
    if (have_encoder("libx265")) {
        ClipFormat* hevc = movie("hevc10.mov", "mov", "libx265", 2);
        hevc->width = 64;  // the narrowest libx265 encodes safely
        hevc->pixel_format = "yuv420p10le";
        hevc->open_gop = true;
        hevc->rotation = 270;
        hevc->mirrored = true;
    }
    movie("variable.mp4", "mp4", "libx264", 0)->durations = {3000, 1500, 4500, 3003};
    ClipFormat* clusters = movie("clusters.mkv", "mkv", "libx264", 2);
    clusters->durations = {90000};  // a second a frame, so that clusters fill in seconds
    clusters->sar_num = 4;
    clusters->sar_den = 3;
    movie("vp9.webm", "webm", "libvpx-vp9", 1);
    for (const Seed& seed : seeds) {
        const ClipFormat& f = seed.format;
        const std::string error = write_clip((folder / seed.name).string(), f,
                                             [&](int k) { return picture(k, f.width, f.height); });
        if (!error.empty()) {
            std::fprintf(stderr, "%s: %s\n", seed.name, error.c_str());
            return false;
        }
    }
    return write_hostile_movies(folder, (folder / "phone.mp4").string(),
                                (folder / "clusters.mkv").string()) > 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const fs::path root = argv[1];
    write_text(root / "fuzz_commands",
               {"seek v to 5\nstep v\nstep v reverse\nupdate v hdc $HDC",
                "put v destination at 0 0 64 48\nupdate v hdc $HDC\nwhere v source",
                "status v length\nstatus v position\nstatus v mode",
                "play v window\npause v\nstop v\nseek v to end\nseek v to start",
                "close v\nopen \"/tmp/a b.avi\" alias w style child parent $HWND",
                "open %2Ftmp%2Fx.avi alias v\nseek v to -99999999999999999999",
                "put v destination at -32768 32767 0 0\nupdate v hdc 0",
                "status w frame interval\nstatus w variable rate\nstatus w capture rate\n"
                "status w rotation\nstatus w time 3\nstatus v time 0",
                "where w source\nupdate w hdc $HDC full\nstep w reverse\nupdate w hdc $HDC",
                "status w time -1\nstatus w time 99999999999\nstatus w time\nstatus v rotation x",
                "seek w to end\nplay w window\nstatus w position\npause w\nclose w"});
    write_text(root / "fuzz_number_text",
               {std::string("\x00\x00\x00\x00\x00\x00\xf0\x3f##0.00", 14), " 12.5 ", "-.25",
                "１２３．５", "1e39", "32767.5", "-32768.5", "  0  "});
    write_text(root / "fuzz_cp932",
               {"時間,x,y\n0.033, .5,-.25", "ｶﾀｶﾅ\nABC", "\xe2\x82\xac", "①②\n\n"});
    write_workfile_seeds(root / "fuzz_workfile");
    return write_clips(root / "fuzz_avi_walk") ? 0 : 1;
}
