#pragma once
#include <QStringList>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop.h"

// A desktop for tests: dialogs and questions answered from queues, a tick counter the test
// controls, and a record of everything that happened.
class ScriptedDesktop : public Desktop {
  public:
    struct Message {
        QString kind;  // "error" or "question"
        QString text;
        QString title;
    };

    void beep() override;
    std::int32_t tick_count() override;
    std::optional<QString> open_file(const FileDialogRequest& request) override;
    std::optional<SaveChoice> choose_save_file(const FileDialogRequest& request) override;
    void error_box(const QString& text, const QString& title) override;
    bool ask_yes_no(const QString& text, const QString& title) override;
    void end_program() override;
    bool open_url(const QUrl& url) override;

    // Answers; an empty queue answers Cancel and No.
    std::deque<std::optional<QString>> open_answers;
    std::deque<std::optional<QString>> save_answers;
    std::deque<int> save_type_answers;  // the file type chosen with each saved name; else 0
    std::deque<bool> yes_no_answers;
    bool url_opens = true;  // whether the desktop has a program for the pages asked for

    // The tick counter: by default every read moves it on by tick_step milliseconds.
    std::int32_t ticks = 0;
    std::int32_t tick_step = 1;
    std::function<std::int32_t()> tick_source;  // when set, used instead
    int tick_reads = 0;

    // What happened.
    int beeps = 0;
    bool ended = false;
    std::vector<FileDialogRequest> open_requests;
    std::vector<FileDialogRequest> save_requests;
    std::vector<Message> messages;
    std::vector<QUrl> opened_urls;
    // When set, events are also appended here ("beep", "error_box", "ask", ...), so that a test
    // can see their order among the commands of a scripted video service.
    std::vector<std::string>* journal = nullptr;

  private:
    void note(const std::string& event);
};

// Installs a scripted desktop for the lifetime of the guard.
class ScopedDesktop {
  public:
    explicit ScopedDesktop(Desktop& d) { set_desktop(&d); }
    ~ScopedDesktop() { set_desktop(nullptr); }
    ScopedDesktop(const ScopedDesktop&) = delete;
    ScopedDesktop& operator=(const ScopedDesktop&) = delete;
};
