#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

#include "workfile/work_file.h"

// The work file as JSON bytes. The clip's relative path is written as the model holds it.
QByteArray work_file_json(const WorkFile& work);

// Reads a work file from its bytes, checking every field (kind, range, the order of the
// marks, the paths). Nothing when anything is wrong; `error` then says what, in Japanese.
std::optional<WorkFile> parse_work_file(const QByteArray& bytes, QString* error);

// Reads the work file at `path` (at most kMaxWorkFileBytes), as parse_work_file.
std::optional<WorkFile> read_work_file(const QString& path, QString* error);

// Writes `work` to `path` with the clip's path relative to the file's folder and this
// program's version, through replace_file: a file already there is replaced only by a
// complete new one. False and a Japanese `error` on failure.
bool write_work_file(const QString& path, const WorkFile& work, QString* error);

// The version of this program, as work files record it.
QString program_version();
