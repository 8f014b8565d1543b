#pragma once
#include <QString>
#include <QUrl>
#include <cstdint>
#include <optional>

// A file dialog as the windows ask for it. The filter is given as pairs of description and
// pattern separated by '|', e.g. "AVIファイル (*.avi)|*.avi".
struct FileDialogRequest {
    QString filter;
    QString file_name;          // initial name; empty for none
    QString default_extension;  // added to a name typed without one; empty for none
};

// What the user chose in a save dialog: the full path, and which file type of the filter was
// selected (0 for its first description and pattern, 1 for the second, ...).
struct SaveChoice {
    QString path;
    int file_type = 0;
};

// What the desktop gives every window. Tests replace it with ScriptedDesktop, so no real
// dialog, sound or clock is ever touched by a window test.
class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual void beep() = 0;
    // Milliseconds since some start, as a 32-bit signed number that wraps.
    virtual std::int32_t tick_count() = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> open_file(const FileDialogRequest& request) = 0;
    // The save dialog; nothing when the user cancelled. With a default extension, a name typed
    // without an extension gets that of the file type selected, or the default extension.
    virtual std::optional<SaveChoice> choose_save_file(const FileDialogRequest& request) = 0;
    // The save dialog's path alone.
    std::optional<QString> save_file(const FileDialogRequest& request);
    // A message with the critical-stop icon and an OK button.
    virtual void error_box(const QString& text, const QString& title) = 0;
    // A yes/no question with the question-mark icon; true for Yes.
    virtual bool ask_yes_no(const QString& text, const QString& title) = 0;
    // Ends the program at once: every window closes, no questions.
    virtual void end_program() = 0;
    // Hands a page or file to the desktop's default program for it (a browser for HTML);
    // false when there is none.
    virtual bool open_url(const QUrl& url) = 0;
};

// The desktop in force; a QtDesktop unless a test installed another.
Desktop& desktop();
void set_desktop(Desktop* d);  // nullptr restores the default

// The program's name, used as the title of message boxes.
QString program_name();
void set_program_name(const QString& name);
