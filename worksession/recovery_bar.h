#pragma once
#include <QFrame>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

// The offer of the work a recovery file kept: a strip in the lower left corner of the main
// window, under the transport, where no control lies. It asks nothing: the window works on
// while it shows, and it goes when answered or withdrawn.
class RecoveryBar : public QFrame {
  public:
    explicit RecoveryBar(QWidget* client);

    QLabel* Label1 = nullptr;
    QPushButton* Cmd_restore = nullptr;  // 前回の作業を復元
    QPushButton* Cmd_discard = nullptr;  // 破棄

    // Offers the recovery file at `path`, of the clip at `clip_path` with `marks` marks.
    void offer(const QString& path, const QString& clip_path, int marks);
    void withdraw();
    // The recovery file on offer; empty when none is.
    const QString& offered() const { return offered_; }

    std::function<void(const QString& path)> on_restore;
    std::function<void(const QString& path)> on_discard;

  private:
    QString offered_;
};
