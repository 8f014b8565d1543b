#pragma once
#include <QString>
#include <string>

// Writes `bytes` to `path` so that a file already there is never lost: the new contents go to
// a temporary file in the same folder, which takes the old file's place only once it is
// completely written, synced and closed. On any failure the temporary file is removed, the
// old file (if any) is untouched, `error` says why and `error_number` (optional) holds the
// system's error number of the step that failed.
bool replace_file(const QString& path, const std::string& bytes, QString* error,
                  int* error_number = nullptr);
