#pragma once
#include <QString>
#include <optional>
#include <string>
#include <vector>

// Text in code page 932, converted with iconv ("CP932"); nothing when a character has no
// code in it.
std::optional<std::string> to_cp932(const QString& text);

// Writes lines in code page 932, each ended by CR LF, to a new file at `path` (an existing
// file there is replaced). Returns false and an error text on any failure; a file left half
// written is removed.
bool write_cp932_lines(const QString& path, const std::vector<QString>& lines, QString* error);
