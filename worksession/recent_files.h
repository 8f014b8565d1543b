#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

// The clips and work files opened or saved last, newest first, at most eight, kept in the
// user's settings and listed in a menu of their own; an entry whose file is gone is shown
// disabled.
class RecentFiles : public QObject {
  public:
    static constexpr int kMaxEntries = 8;

    // `menu` lists the entries; choosing one calls `open` with its path.
    RecentFiles(QMenu* menu, std::function<void(const QString&)> open);

    // Puts `path` (made absolute) first.
    void add(const QString& path);
    QStringList entries() const;

  private:
    // The menu's items anew, each enabled while its file exists.
    void fill_menu();

    QMenu* menu_;
    std::function<void(const QString&)> open_;
};
