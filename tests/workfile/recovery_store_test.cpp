// Recovery files: one per clip in the user's state folder, written, found and discarded.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

#include "workfile/recovery_store.h"
#include "workfile/work_file_io.h"

namespace {

// Sets an environment variable (unsets it for nullptr) while it lives; as it was after.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        value ? qputenv(name, value) : qunsetenv(name);
    }
    ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(RecoveryStore, TheFolderFollowsTheUsersStateHome) {
    QTemporaryDir home;
    const QByteArray real_home = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const struct {
        const char* state_home;
        QString folder;
    } cases[] = {
        {"/srv/state", QStringLiteral("/srv/state/kinvora")},
        {nullptr, home.path() + QStringLiteral("/.local/state/kinvora")},
        {"", home.path() + QStringLiteral("/.local/state/kinvora")},
        {"relative/state", home.path() + QStringLiteral("/.local/state/kinvora")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state_home ? c.state_home : "(unset)");
        const ScopedEnv s("XDG_STATE_HOME", c.state_home);
        EXPECT_EQ(recovery_folder(), c.folder);
    }
    qputenv("HOME", real_home);
}

TEST(RecoveryStore, OneFilePerClipWrittenFoundAndDiscarded) {
    QTemporaryDir dir;
    const ScopedEnv s("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toUtf8().constData());
    const QString clip_a = dir.filePath(QStringLiteral("a.avi"));
    const QString clip_b = dir.filePath(QStringLiteral("b.avi"));
    const QString link_a = dir.filePath(QStringLiteral("link.avi"));
    for (const QString& c : {clip_a, clip_b}) {
        QFile f(c);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(clip_a, link_a));
    EXPECT_FALSE(find_recovery(clip_a).has_value());

    WorkFile work;
    work.clip_path = clip_a;
    work.marks = {{10, 20, 7.65f, 5.4f, 3, 0.1, 0}};
    QString error;
    ASSERT_TRUE(write_recovery(work, &error)) << error.toStdString();

    const auto found = find_recovery(link_a);
    ASSERT_TRUE(found.has_value()) << "the clip reached through a link has the same file";
    EXPECT_TRUE(found->startsWith(dir.filePath(QStringLiteral("state/kinvora/"))));
    EXPECT_TRUE(
        QFileInfo(*found).fileName().contains(QRegularExpression("^[0-9a-f]{32}\\.kinvora$")));
    EXPECT_EQ(QFile::permissions(dir.filePath(QStringLiteral("state/kinvora"))) & 0x0077, 0)
        << "other users cannot read the folder";
    EXPECT_FALSE(find_recovery(clip_b).has_value());
    const auto back = read_work_file(*found, &error);
    ASSERT_TRUE(back.has_value()) << error.toStdString();
    EXPECT_EQ(back->marks, work.marks);
    EXPECT_EQ(back->clip_path, clip_a);

    work.clip_path = clip_b;
    ASSERT_TRUE(write_recovery(work, &error));
    EXPECT_EQ(recovery_files(), (QStringList{recovery_file_for(clip_b), *found}))
        << "the newest first";
    EXPECT_TRUE(discard_recovery(clip_a));
    EXPECT_FALSE(find_recovery(clip_a).has_value());
    EXPECT_TRUE(discard_recovery(clip_a)) << "nothing left to discard";
    EXPECT_EQ(recovery_files(), QStringList{recovery_file_for(clip_b)});
}

}  // namespace
