#pragma once
#include <QString>
#include <string>

// The steps every save the user asks for shares, after the save dialog.

// Whether a file may be written at `path`: a new name may; a name already taken (a dangling
// link counts, since writing would replace it) only when the user answers Yes to the
// overwrite question, whose title is the program's name.
bool confirm_overwrite(const QString& path);

// Writes `bytes` through replace_file (a file already there is replaced only by a complete new
// one). On failure: the beep, then a message box that says why in Japanese; `error`
// (optional) gets the system's text, for diagnosis.
bool write_user_file(const QString& path, const std::string& bytes, QString* error = nullptr);
