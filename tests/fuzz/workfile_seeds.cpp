#include "tests/fuzz/workfile_seeds.h"

#include <cmath>
#include <fstream>
#include <string>

#include "workfile/work_file_io.h"

namespace {
WorkFile with_marks(int n) {
    WorkFile w;
    w.clip_path = QStringLiteral("/tmp/clips/ボール.avi");
    w.clip_relative_path = QStringLiteral("../clips/ボール.avi");
    for (int i = 0; i < n; ++i) {
        const auto x = static_cast<float>(3 * i % 316), y = static_cast<float>(7 * i % 236);
        w.marks.push_back({x, y, (316 - x) / 40, (236 - y) / 40, 2 * i, 2 * i / 30.0, i ? 2 : 0});
    }
    return w;
}
}  // namespace

void write_workfile_seeds(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    WorkFile calibrated = with_marks(5);
    calibrated.calibration_points = {{7.5f, 0.25f}, {2.5f, 0.25f}, {1.0f / 3, 5.9f}};
    calibrated.calib_unit_len = 5.0f;
    calibrated.scale_m_per_unit = 0.2f;
    calibrated.length_text = QStringLiteral("100");
    calibrated.x_from_left = true;
    calibrated.frame_interval = FrameIntervalChoice::kClip;
    calibrated.capture_rate_text = QStringLiteral("240");
    WorkFile untold = with_marks(3);  // frames and times the video service did not tell
    untold.marks[1].frame = kUnknownWorkFrame;
    untold.marks[1].time = std::nan("");
    const WorkFile seeds[] = {with_marks(0), with_marks(3), calibrated, with_marks(100), untold};
    int k = 0;
    for (const WorkFile& w : seeds) {
        const QByteArray json = work_file_json(w);
        std::ofstream(folder / ("seed" + std::to_string(k++) + ".kinvora"), std::ios::binary)
            .write(json.constData(), json.size());
    }
}
