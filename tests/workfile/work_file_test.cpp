// Work files: what is written comes back exactly; anything damaged or foreign is refused with
// a message that names the problem; the clip is found where the work file says.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>

#include "tests/platform/file_size_limit.h"
#include "tests/support/json_edited.h"
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
        // A picture whose frame the video service did not tell.
        {200.0f, 100.0f, 5.1f, 3.4f, kUnknownWorkFrame, std::nan(""), 2},
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
    EXPECT_EQ(root.value(QStringLiteral("marks")).toArray().size(), 4);
    EXPECT_TRUE(root[QStringLiteral("marks")][3][QStringLiteral("frame")].isNull());
    EXPECT_TRUE(root[QStringLiteral("marks")][3][QStringLiteral("time")].isNull());
}

TEST(WorkFile, DamagedAndForeignFilesAreRefusedWithTheirProblem) {
    const QByteArray good = work_file_json(sample_work(QStringLiteral("/clips/ball.avi")));
    const QJsonObject root = QJsonDocument::fromJson(good).object();
    const auto with = [&](const char* path, const QJsonValue& v) {
        const QStringList steps = QString::fromLatin1(path).split(QLatin1Char('/'));
        return QJsonDocument(edited(root, steps, v).toObject()).toJson();
    };
    QJsonArray many;
    for (int i = 0; i < 101; ++i) many.append(root[QStringLiteral("marks")][0]);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;  // a part of the message
    } cases[] = {
        {"empty", "\n", "空です"},
        {"truncated", good.left(good.size() / 2), "途中で切れています"},
        {"garbage inside", QByteArray(good).replace(':', '='), "壊れています"},
        {"a picture", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10),
         "Kinvora の作業ファイルではありません"},
        {"other JSON", R"({"name": "x"})", "Kinvora の作業ファイルではありません"},
        {"newer version", with("format_version", kWorkFileVersion + 1),
         "新しい版の Kinvora で保存されています（形式 2）"},
        {"version as text", with("format_version", "1"), "形式の番号"},
        {"missing frame", with("marks/1/frame", QJsonValue::Undefined),
         "項目「marks[2].frame」がありません"},
        {"flag as number", with("axes/x_from_left", 1),
         "「axes.x_from_left」の値の種類が違います（ true か false でなければ"},
        {"101 marks", with("marks", many), "101 個あります（100 個までです）"},
        {"mark outside the canvas", with("marks/0/canvas_x", 316.5),
         "「marks[1].canvas_x」の値 316.5 が範囲（0〜316）の外です"},
        {"frame before the mark before", with("marks/2/frame", 8),
         "コマ番号 8 が前のマークのコマ番号 9 より前です"},
        {"step that disagrees with the frames", with("marks/1/step", 3),
         "step 3 が前のマークからのコマ数 2 と合いません"},
        {"frame with a fraction", with("marks/0/frame", 7.5),
         "「marks[1].frame」の値の種類が違います（整数"},
        {"path with a NUL", with("clip/path", QStringLiteral("/clips/a") + QChar(0) + "b.avi"),
         "「clip.path」に使えない文字（NUL）"},
        {"relative absolute path", with("clip/path", "ball.avi"), "絶対パスではありません"},
        {"unknown frame interval", with("frame_interval/choice", "1/60"), "値「1/60」は使えません"},
        {"clicks that disagree with the points", with("length/calib_clicks", 2),
         "calib_clicks（2）と calib_points の数（3）が合いません"},
        {"scale of zero", with("length/scale_m_per_unit", 0),
         "「length.scale_m_per_unit」の値 0 が範囲"},
        {"too large", QByteArray(kMaxWorkFileBytes + 1, ' ') + "{}", "大きすぎます"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(parse_work_file(c.bytes, &error).has_value());
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
    EXPECT_EQ(locate_clip(moved_work, work).path, moved + QStringLiteral("/clips/ball.avi"))
        << "with both there, the copy beside the work file";
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
