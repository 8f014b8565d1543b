// Work files: what is written comes back exactly; anything damaged or foreign is refused with
// a message that names the problem; the clip is found where the work file says.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>

#include "tests/platform/file_size_limit.h"
#include "workfile/clip_location.h"
#include "workfile/work_file_format.h"
#include "workfile/work_file_io.h"

namespace {

// Values that only survive a round trip when they are kept bit for bit.
WorkFile sample_work(const QString& clip) {
    WorkFile w;
    w.clip_path = clip;
    w.marks = {
        {116.0f, 36.0f, 5.0f, 5.0f, 7, 0.233566667, 0},
        {120.33f, 40.1f, 4.89175f, 4.8975f, 9, 0.300300300, 2},
        {315.9f, 0.0f, 0.0025f, 5.9f, 9, 0.300300300, 0},
    };
    w.scale_m_per_unit = 0.1f / 3.0f;
    w.calibration_points = {{7.9f, 0.0f}, {1.0f / 3.0f, 2.5f}, {0.0f, 5.9f}};
    w.calib_unit_len = 3.14159274f;
    w.length_text = QStringLiteral("１００");
    w.x_from_left = true;
    w.step_frames_text = QStringLiteral("3");
    w.step_wait_text = QStringLiteral("250");
    w.frame_interval = FrameIntervalChoice::kClip;
    w.capture_rate_text = QStringLiteral("240");
    return w;
}

QByteArray file_bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void put_file(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(WorkFile, WhatIsWrittenIsReadBackExactly) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lesson/clips")));
    const QString clip = dir.filePath(QStringLiteral("lesson/clips/ball 1.avi"));
    const QString path = dir.filePath(QStringLiteral("lesson/work.kinvora"));
    const WorkFile work = sample_work(clip);
    QString error;
    ASSERT_TRUE(write_work_file(path, work, &error)) << error.toStdString();

    const auto back = read_work_file(path, &error);
    ASSERT_TRUE(back.has_value()) << error.toStdString();
    EXPECT_EQ(back->clip_relative_path, QStringLiteral("clips/ball 1.avi"));
    EXPECT_EQ(back->program_version, program_version());
    WorkFile expected = work;
    expected.clip_relative_path = back->clip_relative_path;
    expected.program_version = back->program_version;
    EXPECT_EQ(*back, expected);

    const QJsonObject root = QJsonDocument::fromJson(file_bytes(path)).object();
    EXPECT_EQ(root.value(QStringLiteral("format")).toString(), QStringLiteral("kinvora-work"));
    EXPECT_EQ(root.value(QStringLiteral("format_version")).toInt(), kWorkFileVersion);
    EXPECT_EQ(root.value(QStringLiteral("marks")).toArray().size(), 3);
}

// A change to the JSON of a good work file, and what the reader must say about it.
struct Damage {
    const char* name;
    std::function<QByteArray(QJsonObject)> make;
    const char* message;  // a part of the message
};

QByteArray json(const QJsonObject& o) { return QJsonDocument(o).toJson(); }

// Sets root[a][b] (or, with an index, root[a][index][b]) to v.
QJsonObject with(QJsonObject root, const char* a, const char* b, const QJsonValue& v,
                 int index = -1) {
    if (index < 0) {
        QJsonObject inner = root[QLatin1String(a)].toObject();
        inner[QLatin1String(b)] = v;
        root[QLatin1String(a)] = inner;
        return root;
    }
    QJsonArray list = root[QLatin1String(a)].toArray();
    QJsonObject item = list[index].toObject();
    if (v.isUndefined()) {
        item.remove(QLatin1String(b));
    } else {
        item[QLatin1String(b)] = v;
    }
    list[index] = item;
    root[QLatin1String(a)] = list;
    return root;
}

TEST(WorkFile, DamagedAndForeignFilesAreRefusedWithTheirProblem) {
    const QByteArray good = work_file_json(sample_work(QStringLiteral("/clips/ball.avi")));
    const QJsonObject root = QJsonDocument::fromJson(good).object();
    const QJsonArray three_marks = root[QStringLiteral("marks")].toArray();
    const Damage cases[] = {
        {"empty", [](QJsonObject) { return QByteArray("\n"); }, "空です"},
        {"truncated", [&](QJsonObject) { return good.left(good.size() / 2); },
         "途中で切れています"},
        {"garbage inside", [&](QJsonObject) { return QByteArray(good).replace(':', '='); },
         "壊れています"},
        {"a picture", [](QJsonObject) { return QByteArray("\x89PNG\r\n\x1a\n\0\0", 10); },
         "Kinvora の作業ファイルではありません"},
        {"other JSON", [](QJsonObject) { return QByteArray(R"({"name": "x"})"); },
         "Kinvora の作業ファイルではありません"},
        {"newer version",
         [](QJsonObject o) {
             o[QStringLiteral("format_version")] = kWorkFileVersion + 1;
             return json(o);
         },
         "新しい版の Kinvora で保存されています（形式 2）"},
        {"version as text",
         [](QJsonObject o) {
             o[QStringLiteral("format_version")] = QStringLiteral("1");
             return json(o);
         },
         "形式の番号"},
        {"missing frame",
         [](QJsonObject o) { return json(with(o, "marks", "frame", QJsonValue::Undefined, 1)); },
         "項目「marks[2].frame」がありません"},
        {"flag as number", [](QJsonObject o) { return json(with(o, "axes", "x_from_left", 1)); },
         "「axes.x_from_left」の値の種類が違います（ true か false でなければ"},
        {"101 marks",
         [&](QJsonObject o) {
             QJsonArray many;
             for (int i = 0; i < 101; ++i) many.append(three_marks[0]);
             o[QStringLiteral("marks")] = many;
             return json(o);
         },
         "101 個あります（100 個までです）"},
        {"mark outside the canvas",
         [](QJsonObject o) { return json(with(o, "marks", "canvas_x", 316.5, 0)); },
         "「marks[1].canvas_x」の値 316.5 が範囲（0〜316）の外です"},
        {"frame before the mark before",
         [](QJsonObject o) { return json(with(o, "marks", "frame", 8, 2)); },
         "コマ番号 8 が前のマークのコマ番号 9 より前です"},
        {"step that disagrees with the frames",
         [](QJsonObject o) { return json(with(o, "marks", "step", 3, 1)); },
         "step 3 が前のマークからのコマ数 2 と合いません"},
        {"frame with a fraction",
         [](QJsonObject o) { return json(with(o, "marks", "frame", 7.5, 0)); },
         "「marks[1].frame」の値の種類が違います（整数"},
        {"path with a NUL",
         [](QJsonObject o) {
             return json(with(o, "clip", "path", QStringLiteral("/clips/a") + QChar(0) + "b.avi"));
         },
         "「clip.path」に使えない文字（NUL）"},
        {"relative absolute path",
         [](QJsonObject o) { return json(with(o, "clip", "path", QStringLiteral("ball.avi"))); },
         "絶対パスではありません"},
        {"unknown frame interval",
         [](QJsonObject o) {
             return json(with(o, "frame_interval", "choice", QStringLiteral("1/60")));
         },
         "値「1/60」は使えません"},
        {"clicks that disagree with the points",
         [](QJsonObject o) { return json(with(o, "length", "calib_clicks", 2)); },
         "calib_clicks（2）と calib_points の数（3）が合いません"},
        {"scale of zero",
         [](QJsonObject o) { return json(with(o, "length", "scale_m_per_unit", 0)); },
         "「length.scale_m_per_unit」の値 0 が範囲"},
        {"too large", [](QJsonObject) { return QByteArray(kMaxWorkFileBytes + 1, ' ') + "{}"; },
         "大きすぎます"},
    };
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(parse_work_file(c.make(root), &error).has_value());
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
    }
    QString error;
    EXPECT_TRUE(parse_work_file(good, &error).has_value()) << error.toStdString();
}

// The relative path first, so that a folder moved with its clip still opens; then the
// absolute path; else both are named.
TEST(WorkFile, TheClipIsFoundByTheRelativePathThenTheAbsoluteOne) {
    QTemporaryDir dir;
    const QString lesson = dir.filePath(QStringLiteral("lesson"));
    ASSERT_TRUE(QDir().mkpath(lesson + QStringLiteral("/clips")));
    put_file(lesson + QStringLiteral("/clips/ball.avi"), "clip");
    const QString work_path = lesson + QStringLiteral("/work.kinvora");
    ASSERT_TRUE(write_work_file(work_path, sample_work(lesson + "/clips/ball.avi"), nullptr));
    const WorkFile work = *read_work_file(work_path, nullptr);
    EXPECT_EQ(locate_clip(work_path, work).path, lesson + QStringLiteral("/clips/ball.avi"));

    const QString moved = dir.filePath(QStringLiteral("copied"));
    ASSERT_TRUE(QDir().rename(lesson, moved));
    const QString moved_work = moved + QStringLiteral("/work.kinvora");
    EXPECT_EQ(locate_clip(moved_work, work).path, moved + QStringLiteral("/clips/ball.avi"));

    ASSERT_TRUE(QDir().mkpath(lesson + QStringLiteral("/clips")));
    put_file(lesson + QStringLiteral("/clips/ball.avi"), "clip");
    ASSERT_TRUE(QFile::remove(moved + QStringLiteral("/clips/ball.avi")));
    EXPECT_EQ(locate_clip(moved_work, work).path, lesson + QStringLiteral("/clips/ball.avi"));

    ASSERT_TRUE(QFile::remove(lesson + QStringLiteral("/clips/ball.avi")));
    const ClipLocation missing = locate_clip(moved_work, work);
    EXPECT_TRUE(missing.path.isEmpty());
    EXPECT_TRUE(missing.problem.contains(QStringLiteral("見つかりません")));
    EXPECT_TRUE(missing.problem.contains(moved + QStringLiteral("/clips/ball.avi")));
    EXPECT_TRUE(missing.problem.contains(lesson + QStringLiteral("/clips/ball.avi")));
}

// A save that fails says why and leaves the file that was there.
TEST(WorkFile, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("work.kinvora"));
    put_file(path, "old");
    QString error;
    {
        const FileSizeLimit full_disk(16);
        EXPECT_FALSE(write_work_file(path, sample_work(QStringLiteral("/a.avi")), &error));
    }
    EXPECT_EQ(file_bytes(path), QByteArray("old"));
    EXPECT_TRUE(error.contains(QStringLiteral("保存できませんでした"))) << error.toStdString();
    EXPECT_FALSE(write_work_file(dir.filePath(QStringLiteral("gone/work.kinvora")),
                                 sample_work(QStringLiteral("/a.avi")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("保存先のフォルダーがありません")));
}

}  // namespace
