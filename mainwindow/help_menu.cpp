#include "mainwindow/help_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QUrl>

#include "platform/desktop.h"

namespace {
const QString kAboutBoxName = QStringLiteral("about_box");
}  // namespace

QString guide_file(const QString& program_dir) {
    const QDir dir(program_dir);
    const QString installed =
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/doc/kinvora/guide.ja.html")));
    const QString built = QDir::cleanPath(dir.filePath(QStringLiteral("docs/guide.ja.html")));
    if (QFileInfo::exists(installed) || !QFileInfo::exists(built)) return installed;
    return built;
}

HelpMenu::HelpMenu(QMainWindow& window, ProgramAbout about, QString guide)
    : QObject(&window), window_(window), about_(std::move(about)), guide_(std::move(guide)) {
    mnuhelp = window.menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    mnuhelp->setObjectName(QStringLiteral("mnuhelp"));
    mnuguide = mnuhelp->addAction(QStringLiteral("使い方(&U)"));
    mnuguide->setObjectName(QStringLiteral("mnuguide"));
    mnuabout = mnuhelp->addAction(QStringLiteral("バージョン情報(&A)"));
    mnuabout->setObjectName(QStringLiteral("mnuabout"));
    connect(mnuguide, &QAction::triggered, this, [this] { mnuguide_Click(); });
    connect(mnuabout, &QAction::triggered, this, [this] { mnuabout_Click(); });
}

void HelpMenu::mnuguide_Click() {
    const QString shown = QDir::toNativeSeparators(guide_);
    if (!QFileInfo(guide_).isFile()) {
        desktop().error_box(QStringLiteral("使い方の手引きのファイルが見つかりません。\n%1\n"
                                           "パッケージ kinvora を入れ直してください。")
                                .arg(shown),
                            program_name());
        return;
    }
    if (!desktop().open_url(QUrl::fromLocalFile(guide_))) {
        desktop().error_box(QStringLiteral("手引きを表示するブラウザーが見つかりません。\n"
                                           "次のファイルをブラウザーで開いてください。\n%1")
                                .arg(shown),
                            program_name());
    }
}

QString HelpMenu::about_text() const {
    QStringList lines{about_.title,
                      QStringLiteral("%1　バージョン %2").arg(about_.name, about_.version),
                      QStringLiteral("ライセンス：%1").arg(about_.licence), QString(),
                      QStringLiteral("使っているライブラリ：")};
    lines << about_.libraries;
    return lines.join(QLatin1Char('\n'));
}

void HelpMenu::mnuabout_Click() {
    // Not modal: the box may stay open beside the work.
    auto* box = window_.findChild<QMessageBox*>(kAboutBoxName);
    if (!box) {
        box = new QMessageBox(QMessageBox::Information, QStringLiteral("バージョン情報"),
                              about_text(), QMessageBox::Ok, &window_);
        box->setObjectName(kAboutBoxName);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
    }
    box->show();
    box->raise();
}
