#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

// Text in code page 932, converted with iconv ("CP932"); nothing when a character has no
// code in it.
std::optional<std::string> to_cp932(const QString& text);

// Lines in code page 932, each ended by CR LF, no byte-order mark; nothing when a character
// has no code in it.
std::optional<std::string> cp932_lines(const std::vector<QString>& lines);

// Writes cp932_lines(lines) to `path` through replace_file: a file already there is replaced
// only once the new one is complete, and is left as it was on any failure. Returns false and
// an error text on any failure; `error_number` (optional) is then the system's error number,
// or 0 when a character has no code.
bool write_cp932_lines(const QString& path, const std::vector<QString>& lines, QString* error,
                       int* error_number = nullptr);
