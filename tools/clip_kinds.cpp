#include "tools/clip_kinds.h"

std::vector<ClipKind> clip_kinds() {
    std::vector<ClipKind> all;
    auto add = [&](const char* name, const ClipFormat& f) {
        if (have_encoder(f.encoder) && (f.audio_encoder.empty() || have_encoder(f.audio_encoder)))
            all.push_back({name, f});
    };
    auto kind = [](const char* container, const std::string& encoder, int b_frames, int gop) {
        ClipFormat f;
        f.container = container;
        f.encoder = encoder;
        f.width = 192;
        f.height = 108;
        f.frames = 40;
        f.b_frames = b_frames;
        f.gop = gop;
        return f;
    };
    ClipFormat h264 = kind("mp4", "libx264", 3, 15);
    h264.open_gop = true;
    h264.audio_encoder = "aac";
    add("h264_mp4_open_gop_sound", h264);
    ClipFormat hevc10 = kind("mov", "libx265", 3, 12);
    hevc10.pixel_format = "yuv420p10le";
    hevc10.open_gop = true;
    add("hevc10_mov_open_gop", hevc10);
    add("hevc_mp4", kind("mp4", "libx265", 2, 20));
    ClipFormat portrait = kind("mp4", "libx264", 2, 12);
    portrait.rotation = 90;
    add("h264_mp4_portrait", portrait);
    ClipFormat upside_down = kind("mov", "libx265", 2, 12);
    upside_down.rotation = 180;
    add("hevc_mov_upside_down", upside_down);
    ClipFormat mirrored = kind("mov", "libx264", 0, 10);
    mirrored.rotation = 270;
    mirrored.mirrored = true;
    add("h264_mov_270_mirrored", mirrored);
    ClipFormat trimmed = kind("mp4", "libx264", 3, 15);
    trimmed.hidden_frames = 9;
    add("h264_mp4_trimmed", trimmed);
    ClipFormat trimmed_hevc = kind("mov", "libx265", 2, 12);
    trimmed_hevc.hidden_frames = 5;
    trimmed_hevc.rotation = 90;
    add("hevc_mov_trimmed_portrait", trimmed_hevc);
    ClipFormat variable = kind("mp4", "libx264", 0, 12);
    variable.durations = {3000, 3000, 1500, 4500, 3003, 6000};
    add("h264_mp4_variable_rate", variable);
    ClipFormat variable_b = kind("mkv", "libx264", 2, 12);
    variable_b.durations = {3000, 1500, 1500, 4500};
    add("h264_mkv_variable_rate_bframes", variable_b);
    ClipFormat slow_motion = kind("mp4", "libx264", 2, 24);
    slow_motion.rate_num = 240;
    slow_motion.capture_fps = 240;
    add("h264_mp4_240fps_capture_tag", slow_motion);
    add("h264_m4v", kind("m4v", "libx264", 2, 12));
    add("h264_mkv", kind("mkv", "libx264", 2, 12));
    ClipFormat vp9 = kind("webm", "libvpx-vp9", 1, 15);
    vp9.audio_encoder = "libopus";
    add("vp9_webm_alt_ref_sound", vp9);
    add("vp9_mkv", kind("mkv", "libvpx-vp9", 0, 10));
    if (!av1_encoder().empty()) add("av1_mp4", kind("mp4", av1_encoder(), 0, 12));
    add("mpeg4_mp4_bframes", kind("mp4", "mpeg4", 2, 12));
    add("mjpeg_mov", kind("mov", "mjpeg", 0, 1));
    ClipFormat anamorphic = kind("mkv", "mpeg4", 0, 10);
    anamorphic.width = 144;
    anamorphic.sar_num = 4;
    anamorphic.sar_den = 3;
    add("mpeg4_mkv_anamorphic", anamorphic);
    return all;
}
