#include "worksession/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTimer>

namespace {
const QString kKey = QStringLiteral("recent/files");

// "&1 ball.avi（/home/sensei/ビデオ）": an ampersand of a name is shown, not an accelerator.
QString entry_text(int number, const QString& path) {
    const QFileInfo info(path);
    QString name = info.fileName();
    QString folder = QDir::toNativeSeparators(info.path());
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    folder.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2（%3）").arg(number).arg(name, folder);
}
}  // namespace

RecentFiles::RecentFiles(QMenu* menu, std::function<void(const QString&)> open)
    : QObject(menu), menu_(menu), open_(std::move(open)) {
    connect(menu_, &QMenu::aboutToShow, this, [this] { fill_menu(); });
    fill_menu();
}

QStringList RecentFiles::entries() const {
    return QSettings().value(kKey).toStringList().mid(0, kMaxEntries);
}

void RecentFiles::add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList list = entries();
    list.removeAll(full);
    list.prepend(full);
    QSettings().setValue(kKey, list.mid(0, kMaxEntries));
    fill_menu();
}

void RecentFiles::fill_menu() {
    menu_->clear();
    const QStringList list = entries();
    if (list.isEmpty()) menu_->addAction(QStringLiteral("（なし）"))->setEnabled(false);
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        QAction* item = menu_->addAction(entry_text(static_cast<int>(i) + 1, path));
        item->setObjectName(QStringLiteral("mnurecent%1").arg(i + 1));
        item->setToolTip(path);
        item->setEnabled(QFileInfo(path).isFile());
        // Once the menu has closed: opening remakes this menu, and may ask or tell something.
        connect(item, &QAction::triggered, this,
                [this, path] { QTimer::singleShot(0, this, [this, path] { open_(path); }); });
    }
}
