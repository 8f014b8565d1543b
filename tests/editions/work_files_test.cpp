// Work files, recovery files, recent files and drops, from the user's actions on Kinvora's
// real windows, on clips made at test time and the real video service: what a work file
// brings back is what the user had, down to the saved tables' bytes; what cannot be opened is
// named and leaves the work as it was; work that no file holds comes back after the program
// was left.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

#include "editions/kinvora_wiring.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "marking/form4.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "tables/table_windows.h"
#include "tests/editions/real_windows.h"
#include "tests/support/json_edited.h"
#include "tools/ball_scene.h"
#include "tools/clip_writer.h"
#include "videodevice/video_device.h"
#include "workfile/recovery_store.h"
#include "workfile/work_file_io.h"
#include "worksession/recent_files.h"
#include "worksession/recovery_bar.h"
#include "worksession/work_session.h"
#include "worksession/work_state.h"

namespace {

// What the user sees of the work in the main window.
struct Seen {
    QImage canvas, rulers;
    QStringList texts;  // the boxes, the path, the note under the frame interval
    QString enabled;    // the buttons, '1' for enabled
    QString choice;     // the frame interval chosen
    bool operator==(const Seen&) const = default;
};

class WorkFiles : public ::testing::Test {
  protected:
    WorkFiles() {
        set_video_service(&svc);
        QSettings().clear();  // the run's own settings (see the tests' main): no recent files
    }
    ~WorkFiles() override {
        close_windows();
        set_video_service(nullptr);
    }

    // A new main window of Kinvora, as a new start of the program.
    Form1& new_window() {
        close_windows();
        state() = AnalysisState{};
        main = std::make_unique<Form1>(Edition::Kinvora);
        wire_kinvora_windows(*main);
        main->show();
        QApplication::setActiveWindow(main.get());
        return *main;
    }
    void close_windows() {
        form5().destroy();
        form6().destroy();
        form2().destroy();
        form3().destroy();
        form4().destroy();
        main.reset();
    }
    WorkSession& session() { return *dynamic_cast<WorkSession*>(main->clip_work); }

    // A clip of the falling ball at `path`.
    static void make_clip(const QString& path, const char* container, int rate, int frames) {
        ClipFormat f;
        f.container = container;
        f.encoder = QString::fromLatin1(container) == QLatin1String("avi") ? "mjpeg" : "mpeg4";
        f.rate_num = rate;
        f.frames = frames;
        ASSERT_EQ(
            write_clip(path.toStdString(), f,
                       [&](int k) { return ball_picture(BallMotion::Falling, double(k) / rate); }),
            "");
    }
    void open_clip(const QString& path) { open_onto_canvas(*main, desk, path); }
    void mark_ball(int times) {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(main->Picture3, Qt::LeftButton, {}, ball_on_canvas(*main->Picture3));
    }
    // Both tables saved through their own save buttons and Qt's dialog; the files' bytes.
    QByteArray tables(const QString& name) {
        QByteArray out;
        QTest::mouseClick(main->Cmd_st, Qt::LeftButton);
        QTest::mouseClick(form3()->Cmd_data, Qt::LeftButton);
        QTest::mouseClick(main->Cmd_vt, Qt::LeftButton);
        QTest::mouseClick(form2()->Cmd_vt_table, Qt::LeftButton);
        for (QPushButton* save : {form5()->Cmd_save, form6()->Cmd_save}) {
            const QString file = name + (save == form5()->Cmd_save ? "xt" : "vt");
            answer_file_dialog(dir.path(), file);
            QTest::mouseClick(save, Qt::LeftButton);
            QFile f(dir.filePath(file + ".csv"));
            out += f.open(QIODevice::ReadOnly) ? f.readAll() : "<not saved>";
        }
        form5().destroy();
        form6().destroy();
        form2().destroy();
        form3().destroy();
        return out;
    }
    Seen seen() const {
        Seen s{picture_of(*main->Picture3), picture_of(*main->Picture2), {}, {}, {}};
        for (QLineEdit* box : {main->Text1, main->Text2, main->Text3, main->Text4, main->Text5})
            s.texts << box->text();
        s.texts << main->Label1->text() << main->Label12->text();
        for (QWidget* w : std::initializer_list<QWidget*>{
                 main->Command1, main->Command2, main->Command3, main->Command4,
                 main->Cmd_makimodoshi, main->HScroll1, main->Cmd_trans, main->Cmd_Length2,
                 main->Cmd_Reset, main->Command6, main->Cmd_vt, main->Cmd_st, main->Cmd_Xchange,
                 main->Cmd_Ychange})
            s.enabled += w->isEnabled() ? '1' : '0';
        for (QRadioButton* o : {main->Option1, main->Option2, main->Option3})
            s.choice += o->isChecked() && o->isVisibleTo(main.get()) ? '1' : '0';
        return s;
    }
    QString work_json() const {
        return QString::fromUtf8(work_file_json(current_work(*main, main->Label1->text())));
    }

    SavingDesktop desk;
    ScopedDesktop scoped{desk};
    FfmpegMediaService svc;
    QTemporaryDir dir;
    std::unique_ptr<Form1> main;
};

TEST_F(WorkFiles, OpenedAgainTheWorkIsWhatTheUserHadAndTheTablesAreTheSameFiles) {
    const struct {
        const char* what;
        const char* container;
        int rate;
        QPushButton* Form1::*axis;
        QRadioButton* VideoWindow::*interval;  // clicked when set
        const char* frames_per_step;
        bool moved;  // the folder of clip and work file moved before it is opened again
    } rows[] = {
        {"AVI at 1/15 s, x from the left", "avi", 30, &Form1::Cmd_Xchange, &VideoWindow::Option2,
         "2", false},
        {"60 fps by its own times, y from the top, folder moved", "mp4", 60, &Form1::Cmd_Ychange,
         nullptr, "3", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const QString lesson = dir.filePath(QStringLiteral("lesson%1").arg(&row - rows));
        ASSERT_TRUE(QDir().mkpath(lesson));
        const QString clip = lesson + "/ball." + row.container;
        make_clip(clip, row.container, row.rate, 40);

        new_window();
        open_clip(clip);
        QTest::mouseClick(main.get()->*row.axis, Qt::LeftButton);
        // The bar on the ground is 1 m long: 160 pixels.
        QTest::mouseClick(main->Cmd_Length2, Qt::LeftButton);
        QTest::mouseClick(main->Picture3, Qt::LeftButton, {}, {80, 215});
        QTest::mouseClick(main->Picture3, Qt::LeftButton, {}, {240, 215});
        QTest::keyClicks(form4()->Text1, QStringLiteral("100"));
        QTest::mouseClick(form4()->Cmd_close, Qt::LeftButton);
        if (row.interval) QTest::mouseClick(main.get()->*row.interval, Qt::LeftButton);
        main->Text3->setText(QString::fromLatin1(row.frames_per_step));
        mark_ball(6);
        const Seen before = seen();
        const QByteArray saved_tables = tables(QStringLiteral("a%1").arg(&row - rows));
        answer_file_dialog(lesson, QStringLiteral("work"));
        session().mnuworksave->trigger();
        ASSERT_TRUE(QFile::exists(lesson + "/work.kinvora"));

        new_window();
        const QString now = row.moved ? lesson + QStringLiteral("moved") : lesson;
        ASSERT_TRUE(!row.moved || QDir().rename(lesson, now));
        desk.dialog_opens = true;
        answer_file_dialog(now, QStringLiteral("work.kinvora"));
        session().mnuworkopen->trigger();
        desk.dialog_opens = false;
        Seen after = seen();
        if (row.moved) after.texts.replaceInStrings(now, lesson);
        EXPECT_TRUE(after == before);
        EXPECT_EQ(after.texts, before.texts);
        EXPECT_EQ(after.enabled, before.enabled);
        EXPECT_EQ(tables(QStringLiteral("b%1").arg(&row - rows)), saved_tables);
        EXPECT_TRUE(desk.messages.empty());
    }
}

TEST_F(WorkFiles, AWorkFileThatCannotBeOpenedIsNamedAndTheWorkStaysAsItWas) {
    const QString clip = dir.filePath(QStringLiteral("ball.avi"));
    make_clip(clip, "avi", 30, 20);
    new_window();
    open_clip(clip);
    mark_ball(3);
    const QString good_path = dir.filePath(QStringLiteral("good.kinvora"));
    answer_file_dialog(dir.path(), QStringLiteral("good"));
    session().mnuworksave->trigger();
    QFile good_file(good_path);
    ASSERT_TRUE(good_file.open(QIODevice::ReadOnly));
    const QByteArray good = good_file.readAll();
    mark_ball(1);  // the work in the window is not the file's
    const QJsonObject root = QJsonDocument::fromJson(good).object();
    // The good file with the values at these places ("marks/2/frame").
    const auto with = [&](std::initializer_list<std::pair<const char*, QJsonValue>> edits) {
        QJsonValue v = root;
        for (const auto& [path, value] : edits)
            v = edited(v, QString::fromLatin1(path).split('/'), value);
        return QJsonDocument(v.toObject()).toJson();
    };
    const struct {
        const char* what;
        QByteArray bytes;
        const char* message;  // a part of it
    } rows[] = {
        {"truncated", good.left(good.size() / 2), "途中で切れています"},
        {"a newer version", with({{"format_version", 99}}),
         "新しい版の Kinvora で保存されています"},
        {"its clip missing",
         with({{"clip/path", dir.filePath("gone.avi")}, {"clip/relative_path", "gone.avi"}}),
         "作業ファイルのビデオが見つかりません"},
        {"a mark beyond the clip's end",
         with({{"marks/2/frame", 20000}, {"marks/2/step", 20000 - 2}}),
         "コマ番号 20000 がビデオの長さ（20 フレーム）を超えています"},
        {"a mark beyond the canvas", with({{"marks/1/canvas_x", 400}}),
         "「marks[2].canvas_x」の値 400"},
        {"a ruler position edited", with({{"marks/0/unit_x", 1.5}}),
         "「marks[1]」の目盛りの位置（unit_x）が画面上の位置（canvas_x）と合いません"},
        {"a path with a NUL", with({{"clip/path", clip + QChar(0) + ".avi"}}), "（NUL）"},
        {"a clip, not a work file", QByteArray("RIFF\0\0\0\0AVI LIST", 16),
         "Kinvora の作業ファイルではありません"},
    };
    const QString untouched = work_json();
    const Seen seen_before = seen();
    const QString damaged = dir.filePath(QStringLiteral("damaged.kinvora"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(row.bytes);
        f.close();
        desk.messages.clear();
        desk.open_answers.push_back(damaged);
        session().mnuworkopen->trigger();
        ASSERT_EQ(desk.messages.size(), 1u);
        EXPECT_TRUE(desk.messages[0].text.contains(QString::fromUtf8(row.message)))
            << desk.messages[0].text.toStdString();
        EXPECT_TRUE(desk.messages[0].text.contains(damaged));
        EXPECT_EQ(work_json(), untouched);
        EXPECT_TRUE(seen() == seen_before);
    }
    desk.open_answers.push_back(good_path);
    session().mnuworkopen->trigger();
    EXPECT_EQ(state().mark_count, 3) << "the good file opens";
}

TEST_F(WorkFiles, WorkNoFileHoldsIsWrittenWhenItIsLeftAndOfferedAtTheNextStart) {
    const QString clip = dir.filePath(QStringLiteral("ball.avi"));
    const QString other = dir.filePath(QStringLiteral("other.avi"));
    make_clip(clip, "avi", 30, 20);
    make_clip(other, "avi", 30, 20);
    const struct {
        const char* what;
        std::function<void()> leave;  // what the user does with the work
        bool restore;                 // 前回の作業を復元, else 破棄
    } rows[] = {
        {"閉じる(C), then 復元", [this] { main->mnuclose->trigger(); }, true},
        {"終了(X), then 破棄", [this] { main->mnuend->trigger(); }, false},
        {"another clip opened, then 復元",
         [&] {
             desk.open_answers.push_back(other);
             main->mnuopen->trigger();
         },
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        new_window();
        open_clip(clip);
        mark_ball(4);
        const QString work = work_json();
        desk.messages.clear();
        row.leave();
        EXPECT_TRUE(desk.messages.empty()) << "leaving asks nothing new";
        ASSERT_TRUE(find_recovery(clip));

        new_window();
        ASSERT_TRUE(session().bar->isVisible());
        EXPECT_EQ(session().bar->offered(), *find_recovery(clip));
        QTest::mouseClick(row.restore ? session().bar->Cmd_restore : session().bar->Cmd_discard,
                          Qt::LeftButton);
        EXPECT_FALSE(session().bar->isVisible());
        if (!row.restore) {
            EXPECT_FALSE(find_recovery(clip)) << "破棄 removes it";
            EXPECT_EQ(state().mark_count, 0);
            continue;
        }
        EXPECT_EQ(work_json(), work);
        EXPECT_TRUE(find_recovery(clip)) << "kept until the work is saved";
        QFile::remove(dir.filePath(QStringLiteral("saved.kinvora")));
        answer_file_dialog(dir.path(), QStringLiteral("saved"));
        QTest::keyClick(main.get(), Qt::Key_S, Qt::ControlModifier);  // 作業を保存
        EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("saved.kinvora"))));
        EXPECT_FALSE(find_recovery(clip)) << "saving the work removes it";
    }
}

TEST_F(WorkFiles, RecentFilesAndDroppedFilesOpenLikeTheFileMenu) {
    const QString a = dir.filePath(QStringLiteral("a.avi")),
                  b = dir.filePath(QStringLiteral("b.avi"));
    make_clip(a, "avi", 30, 20);
    make_clip(b, "avi", 30, 20);
    new_window();
    open_clip(a);
    mark_ball(2);
    answer_file_dialog(dir.path(), QStringLiteral("a"));
    session().mnuworksave->trigger();
    const QString work = dir.filePath(QStringLiteral("a.kinvora"));
    open_clip(b);
    ASSERT_TRUE(QFile::remove(b));

    new_window();
    QMenu* recent = session().mnurecent;
    emit recent->aboutToShow();
    QStringList entries;
    for (QAction* item : recent->actions())
        entries << item->toolTip() + (item->isEnabled() ? "" : " (disabled)");
    EXPECT_EQ(entries, (QStringList{b + " (disabled)", work, a}));
    recent->actions().at(1)->trigger();
    QTRY_COMPARE(state().mark_count, 2);  // the work file, opened once the menu has closed
    EXPECT_EQ(main->Label1->text(), a);

    // Dropped on the canvas (the events the desktop gives the window): a clip, then the work
    // file.
    for (const auto& [file, marks] : {std::pair{a, 0}, std::pair{work, 2}}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at = main->Picture3->mapTo(main.get(), QPoint(100, 100));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(main->windowHandle(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(main->windowHandle(), &drop);
        QTRY_COMPARE(main->Label1->text(), a);
        QTRY_COMPARE(static_cast<int>(state().mark_count), marks);
    }
}

}  // namespace
