// Reading work files: every field checked, the first problem named in Japanese.
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <limits>

#include "workfile/json_fields.h"
#include "workfile/work_file_format.h"
#include "workfile/work_file_io.h"

namespace {
constexpr double kRulerPixels = 40.0;
constexpr double kMaxTime = 1e7;  // seconds: far beyond any clip
constexpr double kFloatMax = std::numeric_limits<float>::max();
const QString kTop;  // the top level of the document, in field names

QString not_ours() { return QStringLiteral("Kinvora の作業ファイルではありません。"); }

// The problem with bytes that are no JSON document: cut short (the parser ran into the end of
// the text), or damaged elsewhere.
QString json_problem(const QByteArray& bytes, const QJsonParseError& e) {
    qsizetype end = bytes.size();
    while (end > 0 && QChar::isSpace(static_cast<uchar>(bytes[end - 1]))) --end;
    // A word cut short ("fals") is reported near where it starts.
    constexpr qsizetype kLongestWord = 5;
    if (e.offset + kLongestWord >= end && e.error != QJsonParseError::GarbageAtEnd)
        return QStringLiteral("作業ファイルが途中で切れています（") +
               QString::number(bytes.size()) +
               QStringLiteral(
                   " バイトで終わっています）。保存が終わる前に止まった可能性があります。");
    return QStringLiteral("作業ファイルが壊れています（") + QString::number(e.offset + 1) +
           QStringLiteral(" バイト目が JSON として読めません）。");
}

class Reader {
  public:
    std::optional<WorkFile> read(const QJsonObject& root);
    const QString& problem() const { return f_.problem(); }

  private:
    void read_version(const QJsonObject& root);
    void read_clip(const QJsonObject& root);
    void read_canvas(const QJsonObject& root);
    void read_marks(const QJsonObject& root);
    void read_mark(const QJsonObject& m, const QString& where);
    void check_order(const QString& where);
    void read_length(const QJsonObject& root);
    void read_settings(const QJsonObject& root);

    JsonFields f_;
    WorkFile w_;
};

std::optional<WorkFile> Reader::read(const QJsonObject& root) {
    if (root.value(QLatin1String("format")).toString() != QLatin1String(kWorkFileFormat)) {
        f_.fail(not_ours());
        return {};
    }
    read_version(root);
    read_clip(root);
    read_canvas(root);
    read_marks(root);
    read_length(root);
    read_settings(root);
    if (!f_.ok()) return {};
    return w_;
}

void Reader::read_version(const QJsonObject& root) {
    const QJsonValue v = root.value(QLatin1String("format_version"));
    const double d = v.toDouble(-1);
    if (!v.isDouble() || std::floor(d) != d || d < 1) {
        f_.fail(QStringLiteral(
            "作業ファイルの形式の番号（format_version）がないか、正しくありません。"));
    } else if (d > kWorkFileVersion) {
        f_.fail(QStringLiteral("この作業ファイルは新しい版の Kinvora で保存されています（形式 ") +
                QString::number(d, 'g', 10) + QStringLiteral("）。この版が読めるのは形式 ") +
                QString::number(kWorkFileVersion) +
                QStringLiteral(" までです。新しい版の Kinvora で開いてください。"));
    }
    w_.program_version = f_.text(root, kTop, "program_version", kMaxWorkText);
}

void Reader::read_clip(const QJsonObject& root) {
    const QJsonObject clip = f_.object(root, kTop, "clip");
    w_.clip_path = f_.path(clip, QStringLiteral("clip"), "path", true);
    w_.clip_relative_path = f_.path(clip, QStringLiteral("clip"), "relative_path", false);
}

void Reader::read_canvas(const QJsonObject& root) {
    const QJsonObject canvas = f_.object(root, kTop, "canvas");
    const QString where = QStringLiteral("canvas");
    w_.canvas_width = static_cast<int>(f_.integer(canvas, where, "width", 1, 4096));
    w_.canvas_height = static_cast<int>(f_.integer(canvas, where, "height", 1, 4096));
}

void Reader::read_marks(const QJsonObject& root) {
    const QJsonArray marks = f_.array(root, kTop, "marks", kMaxWorkMarks);
    for (qsizetype i = 0; i < marks.size() && f_.ok(); ++i) {
        const QString where = JsonFields::element(QStringLiteral("marks"), static_cast<int>(i));
        if (!marks[i].isObject()) {
            f_.fail(QStringLiteral("作業ファイルの項目「") + where +
                    QStringLiteral("」がマークの項目の集まり（{ }）ではありません。"));
            return;
        }
        read_mark(marks[i].toObject(), where);
        check_order(where);
    }
}

void Reader::read_mark(const QJsonObject& m, const QString& where) {
    const double w = w_.canvas_width, h = w_.canvas_height;
    WorkMark mark;
    mark.canvas_x = f_.real(m, where, "canvas_x", 0, w);
    mark.canvas_y = f_.real(m, where, "canvas_y", 0, h);
    // Ruler units from either edge: (w - x) / 40, or (x + 4) / 40 from the left.
    mark.unit_x = f_.real(m, where, "unit_x", 0, (w + 4) / kRulerPixels);
    mark.unit_y = f_.real(m, where, "unit_y", 0, (h + 4) / kRulerPixels);
    // null: the video service did not tell.
    mark.frame = m.value(QLatin1String("frame")).isNull()
                     ? kUnknownWorkFrame
                     : static_cast<std::int32_t>(f_.integer(
                           m, where, "frame", 0, std::numeric_limits<std::int32_t>::max()));
    mark.time = m.value(QLatin1String("time")).isNull() ? std::numeric_limits<double>::quiet_NaN()
                                                        : f_.number(m, where, "time", 0, kMaxTime);
    mark.step = static_cast<std::int32_t>(f_.integer(m, where, "step", 0, kMaxStepFrames));
    w_.marks.push_back(mark);
}

// A mark is never on a frame before the mark before it, and its step is the frames between
// (at most kMaxStepFrames), where the frames of both are known.
void Reader::check_order(const QString& where) {
    if (!f_.ok()) return;
    const WorkMark& m = w_.marks.back();
    const QString name = QStringLiteral("作業ファイルのマーク「") + where + QStringLiteral("」");
    if (w_.marks.size() == 1) {
        if (m.step != 0)
            f_.fail(name + QStringLiteral("は最初のマークなのに step が 0 ではありません。"));
        return;
    }
    const WorkMark& before = w_.marks[w_.marks.size() - 2];
    const bool frames_known = m.frame != kUnknownWorkFrame && before.frame != kUnknownWorkFrame;
    const std::int64_t between =
        std::min<std::int64_t>(static_cast<std::int64_t>(m.frame) - before.frame, kMaxStepFrames);
    if (frames_known && m.frame < before.frame) {
        f_.fail(name + QStringLiteral("のコマ番号 ") + QString::number(m.frame) +
                QStringLiteral(" が前のマークのコマ番号 ") + QString::number(before.frame) +
                QStringLiteral(" より前です。"));
    } else if (frames_known && between != m.step) {
        f_.fail(name + QStringLiteral("の step ") + QString::number(m.step) +
                QStringLiteral(" が前のマークからのコマ数 ") + QString::number(between) +
                QStringLiteral(" と合いません。"));
    } else if (m.time < before.time) {
        f_.fail(name + QStringLiteral("の時刻が前のマークの時刻より前です。"));
    }
}

void Reader::read_length(const QJsonObject& root) {
    const QJsonObject length = f_.object(root, kTop, "length");
    const QString where = QStringLiteral("length");
    const double w = w_.canvas_width / kRulerPixels, h = w_.canvas_height / kRulerPixels;
    w_.scale_m_per_unit = f_.real(length, where, "scale_m_per_unit",
                                  std::numeric_limits<float>::denorm_min(), kFloatMax);
    const auto clicks = f_.integer(length, where, "calib_clicks", 0, kMaxCalibrationClicks);
    const QJsonArray points = f_.array(length, where, "calib_points", kMaxCalibrationClicks);
    if (f_.ok() && points.size() != clicks)
        f_.fail(QStringLiteral("作業ファイルの calib_clicks（") + QString::number(clicks) +
                QStringLiteral("）と calib_points の数（") + QString::number(points.size()) +
                QStringLiteral("）が合いません。"));
    for (qsizetype i = 0; i < points.size() && f_.ok(); ++i) {
        const QString at =
            JsonFields::element(where + QStringLiteral(".calib_points"), static_cast<int>(i));
        const QJsonObject p = points[i].toObject();
        // Measured leftward from the right edge and upward from the bottom edge.
        const float x = f_.real(p, at, "x", 0, w);
        const float y = f_.real(p, at, "y", 0, h);
        w_.calibration_points.push_back({x, y});
    }
    w_.calib_unit_len = f_.real(length, where, "calib_unit_len", 0, std::hypot(w, h));
    w_.length_text = f_.text(length, where, "length_text", kMaxWorkText);
}

void Reader::read_settings(const QJsonObject& root) {
    const QJsonObject axes = f_.object(root, kTop, "axes");
    w_.x_from_left = f_.flag(axes, QStringLiteral("axes"), "x_from_left");
    w_.y_from_top = f_.flag(axes, QStringLiteral("axes"), "y_from_top");

    const QJsonObject steps = f_.object(root, kTop, "steps");
    w_.step_frames_text = f_.text(steps, QStringLiteral("steps"), "step_frames_text", kMaxWorkText);
    w_.step_wait_text = f_.text(steps, QStringLiteral("steps"), "step_wait_text", kMaxWorkText);

    const QJsonObject interval = f_.object(root, kTop, "frame_interval");
    const QString where = QStringLiteral("frame_interval");
    const QString choice = f_.text(interval, where, "choice", kMaxWorkText);
    if (choice == QLatin1String(kInterval1_30)) {
        w_.frame_interval = FrameIntervalChoice::k1_30;
    } else if (choice == QLatin1String(kInterval1_15)) {
        w_.frame_interval = FrameIntervalChoice::k1_15;
    } else if (choice == QLatin1String(kIntervalClip)) {
        w_.frame_interval = FrameIntervalChoice::kClip;
    } else if (f_.ok()) {
        f_.fail(QStringLiteral("作業ファイルの項目「frame_interval.choice」の値「") + choice +
                QStringLiteral("」は使えません（1/30、1/15、clip のどれかです）。"));
    }
    w_.capture_rate_text = f_.text(interval, where, "capture_rate_text", kMaxWorkText);
}
}  // namespace

std::optional<WorkFile> parse_work_file(const QByteArray& bytes, QString* error) {
    auto failed = [error](const QString& why) -> std::optional<WorkFile> {
        if (error) *error = why;
        return {};
    };
    const QByteArray trimmed = bytes.trimmed();
    if (trimmed.isEmpty()) return failed(QStringLiteral("作業ファイルが空です。"));
    if (bytes.size() > kMaxWorkFileBytes)
        return failed(QStringLiteral("作業ファイルとしては大きすぎます（") +
                      QString::number(kMaxWorkFileBytes / 1024) +
                      QStringLiteral(" KB まで）。Kinvora の作業ファイルではありません。"));
    // A work file is a JSON object; a file that does not even start like one is another kind.
    if (!trimmed.startsWith('{')) return failed(not_ours());
    QJsonParseError parse_error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse_error);
    if (parse_error.error != QJsonParseError::NoError)
        return failed(json_problem(bytes, parse_error));
    Reader reader;
    std::optional<WorkFile> work = reader.read(doc.object());
    if (!work) return failed(reader.problem());
    return work;
}

std::optional<WorkFile> read_work_file(const QString& path, QString* error) {
    auto failed = [error](const QString& why) -> std::optional<WorkFile> {
        if (error) *error = why;
        return {};
    };
    const QFileInfo info(path);
    if (!info.exists()) return failed(QStringLiteral("作業ファイルが見つかりません。\n") + path);
    if (info.isDir())
        return failed(QStringLiteral("フォルダーは作業ファイルとして開けません。\n") + path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("作業ファイルを読めません（読む権限がありません）。\n") +
                      path);
    const QByteArray bytes = file.read(kMaxWorkFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("作業ファイルを読む途中でエラーが起きました。\n") + path);
    return parse_work_file(bytes, error);
}
