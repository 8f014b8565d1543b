// Clips of the kinds phones and cameras write, chosen from the file menu in the real file
// dialog and opened by the real video service: the dialog offers video files first and lists
// them whatever the case of their extension, and a file opens by its content, not its name.
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QTest>

#include "mediaservice/ffmpeg_media_service.h"
#include "platform/qt_desktop.h"
#include "tests/support/form1_fixture.h"
#include "tools/clip_writer.h"
#include "tools/frame_pattern.h"

namespace {

// The names the dialog's list shows once it has read the folder and holds `count` entries.
QStringList listed(QFileDialog* dialog, int count) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (!view) return {};
    QStringList names;
    (void)QTest::qWaitFor([&] {
        names.clear();
        for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
            names << view->model()->index(row, 0, view->rootIndex()).data().toString();
        return names.size() >= count;
    });
    return names;
}

class OpenDialogTest : public Form1Test {
  protected:
    OpenDialogTest() {
        set_video_service(&service);
        set_desktop(&qt);
    }
    ~OpenDialogTest() override {
        f.reset();
        set_desktop(&desk);
    }
    FfmpegMediaService service;
    QtDesktop qt;
};

TEST_F(OpenDialogTest, VideoFilesFirstAndAnyFileOpensByItsContent) {
    const struct Row {
        const char* name;
        const char* container;
        const char* encoder;
        int rotation;
        bool listed_first;  // under the first filter, which the dialog starts with
    } rows[] = {
        {"IMG_0001.MOV", "mov", "libx264", 0, true},
        {"portrait clip.mp4", "mp4", "libx264", 90, true},
        {"clip.mkv", "mkv", "mpeg4", 0, true},
        {"clip.webm", "webm", "libvpx-vp9", 0, true},
        {"clip.m4v", "m4v", "libx264", 0, true},
        {"old.avi", "avi", "mjpeg", 0, true},
        {"recording.dat", "mp4", "libx264", 0, false},
    };
    int listed_first = 0;
    for (const Row& row : rows) {
        ClipFormat format;
        format.container = row.container;
        format.encoder = row.encoder;
        format.width = 160;
        format.height = 96;
        format.frames = 20;
        format.rotation = row.rotation;
        const std::string path = dir.filePath(QString::fromUtf8(row.name)).toStdString();
        ASSERT_EQ(write_clip(path, format, [](int k) { return numbered_frame(k, 96, 160); }), "");
        listed_first += row.listed_first;
    }
    const QStringList filters = {
        QStringLiteral("ビデオファイル (*.avi *.mp4 *.mov *.m4v *.mkv *.webm)"),
        QStringLiteral("AVIファイル (*.avi)"), QStringLiteral("すべてのファイル (*)")};
    f->show();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString name = QString::fromUtf8(row.name);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(), filters);
            EXPECT_EQ(dialog->selectedNameFilter(), filters.first());
            dialog->setDirectory(dir.path());
            EXPECT_EQ(listed(dialog, listed_first).contains(name), row.listed_first);
            if (!row.listed_first) {
                auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                ASSERT_NE(types, nullptr);
                types->setFocus();
                QTest::keyClick(types, Qt::Key_End);
                EXPECT_EQ(dialog->selectedNameFilter(), filters.last());
                EXPECT_TRUE(listed(dialog, std::size(rows)).contains(name));
            }
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            QTest::keyClicks(edit, name);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        f->mnuopen->trigger();
        EXPECT_EQ(f->Label1->text(), dir.filePath(name));
        EXPECT_EQ(f->HScroll1->maximum(), 20);
    }
}

}  // namespace
