#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

// Files dropped on a window: the first local file of the drop is handed to `open` once the
// drop is over (so that a message about it does not hold up the program it came from).
class FileDrop : public QObject {
  public:
    FileDrop(QWidget& window, std::function<void(const QString&)> open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(const QString&)> open_;
};
