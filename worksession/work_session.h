#pragma once
#include <QObject>
#include <QString>
#include <optional>

#include "video/clip_work.h"
#include "workfile/work_file.h"

class FileDrop;
class MarkingWindow;
class QAction;
class QMainWindow;
class QMenu;
class QTimer;
class RecentFiles;
class RecoveryBar;

// The work on the open clip kept beyond the window: 作業を開く and 作業を保存 in the file menu,
// the recovery file written while marks exist that no saved work file holds (every few
// seconds, and before the work is cleared or lost), the offer to restore it, the recent files
// and the files dropped on the window. A work file, a recovery file, a recent entry, a drop
// and the command line all open through the file menu's own path.
class WorkSession : public QObject, public ClipWork {
  public:
    static constexpr int kRecoveryIntervalMs = 3000;

    // Adds the items to `file_menu` before `before`, the recovery bar to the window's client
    // area, and takes the files dropped on the window; offers the newest recovery file.
    WorkSession(QMainWindow& window, MarkingWindow& marks, QMenu* file_menu, QAction* before);

    QAction* mnuworkopen = nullptr;  // 作業を開く(W)...
    QAction* mnuworksave = nullptr;  // 作業を保存(S)...  Ctrl+S
    QMenu* mnurecent = nullptr;      // 最近使ったファイル(R)
    RecoveryBar* bar = nullptr;
    RecentFiles* recent = nullptr;

    void mnuworkopen_Click();
    void mnuworksave_Click();
    // Opens the work file at `path` (its clip by the file menu's path, then the work as it was
    // saved); a file that cannot be opened is named with its problem, and the work in the window
    // stays as it was. Whether it was opened.
    bool open_work_file(const QString& path);
    // Writes the work to its clip's recovery file when it holds marks that no saved work file
    // holds and that were not written yet.
    void keep_recovery();

    void work_leaving() override;
    void clip_opened(const QString& path) override;
    void clip_closed() override;
    void open_file(const QString& path) override;

  private:
    enum class Source { WorkFile, Recovery };
    bool load(const QString& path, Source source);
    // Offers the clip's recovery file unless it holds the work in the window.
    void offer_recovery_of(const QString& clip);
    void offer_newest_recovery();
    void discard(const QString& recovery_file);
    // The work in the window now.
    WorkFile work() const;

    MarkingWindow& marks_;
    QTimer* timer_ = nullptr;
    QString clip_;                     // the clip open in the window; empty when none is
    QString work_path_;                // the work file the work was opened from or saved to
    std::optional<WorkFile> saved_;    // the work as that file holds it
    std::optional<WorkFile> written_;  // the work as the recovery file holds it
    bool loading_ = false;
    bool clip_opened_ = false;
};

// Whether `path` names a work file (by its extension .kinvora, in any case).
bool is_work_file(const QString& path);
