// Writing work files: the model as JSON, written atomically.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

#include "platform/file_error.h"
#include "platform/replace_file.h"
#include "workfile/work_file_format.h"
#include "workfile/work_file_io.h"

namespace {
const char* interval_text(FrameIntervalChoice choice) {
    switch (choice) {
        case FrameIntervalChoice::k1_15:
            return kInterval1_15;
        case FrameIntervalChoice::kClip:
            return kIntervalClip;
        case FrameIntervalChoice::k1_30:
            break;
    }
    return kInterval1_30;
}

QJsonArray marks_json(const std::vector<WorkMark>& marks) {
    QJsonArray out;
    for (const WorkMark& m : marks) {
        // What the video service did not tell is null.
        const QJsonValue frame =
            m.frame == kUnknownWorkFrame ? QJsonValue(QJsonValue::Null) : QJsonValue(m.frame);
        const QJsonValue time =
            std::isnan(m.time) ? QJsonValue(QJsonValue::Null) : QJsonValue(m.time);
        out.append(QJsonObject{
            {"canvas_x", m.canvas_x},
            {"canvas_y", m.canvas_y},
            {"unit_x", m.unit_x},
            {"unit_y", m.unit_y},
            {"frame", frame},
            {"time", time},
            {"step", m.step},
        });
    }
    return out;
}

QJsonObject length_json(const WorkFile& w) {
    QJsonArray points;
    for (const CalibrationPoint& p : w.calibration_points)
        points.append(QJsonObject{{"x", p.x}, {"y", p.y}});
    return {
        {"scale_m_per_unit", w.scale_m_per_unit},
        {"calib_clicks", static_cast<int>(w.calibration_points.size())},
        {"calib_points", points},
        {"calib_unit_len", w.calib_unit_len},
        {"length_text", w.length_text},
    };
}
}  // namespace

QString program_version() { return QStringLiteral(KV_PROGRAM_VERSION); }

QByteArray work_file_json(const WorkFile& w) {
    const QJsonObject root{
        {"format", kWorkFileFormat},
        {"format_version", kWorkFileVersion},
        {"program_version", w.program_version},
        {"clip", QJsonObject{{"path", w.clip_path}, {"relative_path", w.clip_relative_path}}},
        {"canvas", QJsonObject{{"width", w.canvas_width}, {"height", w.canvas_height}}},
        {"marks", marks_json(w.marks)},
        {"length", length_json(w)},
        {"axes", QJsonObject{{"x_from_left", w.x_from_left}, {"y_from_top", w.y_from_top}}},
        {"steps", QJsonObject{{"step_frames_text", w.step_frames_text},
                              {"step_wait_text", w.step_wait_text}}},
        {"frame_interval", QJsonObject{{"choice", interval_text(w.frame_interval)},
                                       {"capture_rate_text", w.capture_rate_text}}},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool write_work_file(const QString& path, const WorkFile& work, QString* error) {
    WorkFile out = work;
    out.program_version = program_version();
    out.clip_relative_path = QDir(QFileInfo(path).absolutePath()).relativeFilePath(work.clip_path);
    int error_number = 0;
    if (replace_file(path, work_file_json(out).toStdString(), nullptr, &error_number)) return true;
    if (error) *error = file_save_failure_message(error_number);
    return false;
}
