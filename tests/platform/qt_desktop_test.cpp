// The real desktop's dialogs, offscreen: Qt's own file dialog and message boxes, in Japanese.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "platform/qt_desktop.h"
#include "platform/qt_translation.h"

namespace {

void remove_translations() {
    for (auto* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

QString yes_button_text() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text();
}

TEST(QtJapanese, LoadedFromQtsFolderAndAMissingCatalogueLeavesEnglish) {
    const struct {
        const char* name;
        QString folder;
        bool loaded;
        QString yes;
        QString folder_type;  // the file dialog's type column for a folder
    } cases[] = {
        {"Qt's folder", QString(), true, QStringLiteral("はい(&Y)"), QStringLiteral("フォルダー")},
        {"no catalogue", QStringLiteral("/nonexistent"), false, QStringLiteral("&Yes"),
         QStringLiteral("Folder")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(install_qt_japanese(c.folder), c.loaded);
        EXPECT_EQ(yes_button_text(), c.yes);
        EXPECT_EQ(QFileIconProvider().type(QFileInfo(QStringLiteral("/tmp"))), c.folder_type);
        remove_translations();
    }
}

// The dialog's date column as the list shows it for a file in the folder: in the program's
// Japanese locale even though the tests run with the C locale.
QString listed_date(QFileDialog* dialog, const QString& path) {
    auto* proxy = dialog->proxyModel();
    auto* files = qobject_cast<QFileSystemModel*>(proxy ? proxy->sourceModel() : nullptr);
    if (!files) return {};
    return proxy->mapFromSource(files->index(path)).siblingAtColumn(3).data().toString();
}

// Save dialogs as a table's save shows them: the user types a name into Qt's own dialog and
// presses Enter. The dialog speaks Japanese, starts with an empty name and the table's
// filter, adds csv to a bare name, and has its own overwrite question switched off (the
// caller asks its own, so that there is exactly one).
TEST(QtDesktopDialog, SaveTakesTheTypedNameWithCsv) {
    ASSERT_TRUE(install_qt_japanese());
    QTemporaryDir dir;
    QFile old(dir.filePath(QStringLiteral("old.csv")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("x");
    old.flush();
    old.setFileTime(QDateTime(QDate(2025, 3, 4), QTime(5, 6)), QFileDevice::FileModificationTime);
    old.close();
    const struct {
        const char* typed;
        const char* chosen;
    } cases[] = {{"data", "data.csv"}, {"memo.txt", "memo.txt"}};

    QtDesktop desktop;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("x,y-tデータ(*.csv)")});
            EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("csv"));
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            EXPECT_EQ(dialog->labelText(QFileDialog::FileName), QStringLiteral("ファイル名(&N):"));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            EXPECT_TRUE(name->text().isEmpty());
            dialog->setDirectory(dir.path());
            EXPECT_EQ(listed_date(dialog, old.fileName()), QStringLiteral("2025/03/04 5:06"));
            QTest::keyClicks(name, QString::fromUtf8(c.typed));
            QTest::keyClick(name, Qt::Key_Return);
        });
        const auto chosen = desktop.save_file(
            {QStringLiteral("x,y-tデータ(*.csv)|*.csv"), QString(), QStringLiteral("csv")});
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(*chosen, dir.filePath(QString::fromUtf8(c.chosen)));
    }
    remove_translations();
}

}  // namespace
