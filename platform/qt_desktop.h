#pragma once
#include <QElapsedTimer>

#include "platform/desktop.h"

// The desktop of a real run: Qt dialogs and message boxes, the system beep, a monotonic clock.
class QtDesktop : public Desktop {
  public:
    QtDesktop();
    void beep() override;
    std::int32_t tick_count() override;
    std::optional<QString> open_file(const FileDialogRequest& request) override;
    std::optional<SaveChoice> choose_save_file(const FileDialogRequest& request) override;
    void error_box(const QString& text, const QString& title) override;
    bool ask_yes_no(const QString& text, const QString& title) override;
    void end_program() override;
    bool open_url(const QUrl& url) override;

  private:
    QElapsedTimer clock_;
};

// "desc|pattern|desc|pattern" as Qt's name filters: "desc (pattern)", the pattern added only
// when the description does not already end with it; the patterns of one entry, separated by
// ';' ("*.avi;*.mp4"), become Qt's blank-separated list.
QStringList qt_name_filters(const QString& filter);
