#pragma once
#include <QString>
#include <cmath>
#include <cstdint>
#include <vector>

// A lesson's work as a work file (.kinvora) keeps it: enough to open the clip again and carry
// on as if the marks had just been made. Plain data, independent of the windows; values that
// the program keeps in single precision are kept as float so that a round trip through the
// file gives them back bit for bit.

// Limits every work file keeps; a file beyond them is refused.
inline constexpr int kMaxWorkMarks = 100;
inline constexpr int kMaxCalibrationClicks = 100;
inline constexpr std::int32_t kMaxStepFrames = 32767;  // frames between two marks
inline constexpr int kMaxWorkText = 256;               // characters of a typed text
inline constexpr int kMaxWorkPath = 4096;              // bytes of a path in UTF-8
// The frame of a mark made on a picture whose frame the video service did not tell.
inline constexpr std::int32_t kUnknownWorkFrame = -1;

struct WorkMark {
    float canvas_x = 0, canvas_y = 0;  // canvas pixels, where the mark was clicked
    float unit_x = 0, unit_y = 0;      // ruler units, in the axis directions of the work
    std::int32_t frame = 0;            // the frame the canvas showed, or kUnknownWorkFrame
    double time = 0;        // presentation time of that frame, s from frame 0; NaN when not told
    std::int32_t step = 0;  // frames from the mark before; 0 for the first mark

    // Two unknown times are the same.
    bool operator==(const WorkMark& o) const {
        return canvas_x == o.canvas_x && canvas_y == o.canvas_y && unit_x == o.unit_x &&
               unit_y == o.unit_y && frame == o.frame && step == o.step &&
               (time == o.time || (std::isnan(time) && std::isnan(o.time)));
    }
};

struct CalibrationPoint {
    // Ruler units, leftward from the canvas's right edge and upward from its bottom edge.
    float x = 0, y = 0;

    bool operator==(const CalibrationPoint&) const = default;
};

enum class FrameIntervalChoice { k1_30, k1_15, kClip };

struct WorkFile {
    QString program_version;  // the version of the program that wrote the file

    QString clip_path;           // absolute
    QString clip_relative_path;  // from the work file's folder; written by write_work_file

    int canvas_width = 316, canvas_height = 236;  // canvas pixels the marks are measured in
    std::vector<WorkMark> marks;                  // at most kMaxWorkMarks, frames ascending

    float scale_m_per_unit = 1.0f;  // metres per ruler unit; 1 without a calibration
    std::vector<CalibrationPoint> calibration_points;  // the clicks of the last calibration
    float calib_unit_len = 0;                          // ruler units between the last pair
    QString length_text;                               // the length typed, in cm

    bool x_from_left = false, y_from_top = false;

    QString step_frames_text = QStringLiteral("2");  // 送りコマ数 as typed
    QString step_wait_text = QStringLiteral("400");  // 調整時間 (ms) as typed

    FrameIntervalChoice frame_interval = FrameIntervalChoice::k1_30;
    QString capture_rate_text;  // the capture rate typed for a clip without one, or empty

    bool operator==(const WorkFile&) const = default;
};
