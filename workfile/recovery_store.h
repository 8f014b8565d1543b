#pragma once
#include <QString>
#include <QStringList>
#include <optional>

#include "workfile/work_file.h"

// Recovery files: the work on a clip as it stood a few seconds ago, kept where the user's
// state lives so that a crash or a kill loses at most those seconds. One file per clip, named
// from a hash of the clip's absolute path; the file is an ordinary work file.

// $XDG_STATE_HOME/kinvora, or ~/.local/state/kinvora when XDG_STATE_HOME is unset, empty or
// not an absolute path.
QString recovery_folder();

// The recovery file of the clip at `clip_path` (whether it exists or not).
QString recovery_file_for(const QString& clip_path);

// Writes `work` as the recovery file of its clip, making the folder (readable by the user only)
// when needed; atomic like every save. False and a Japanese `error` on failure.
bool write_recovery(const WorkFile& work, QString* error);

// The clip's recovery file, when there is one.
std::optional<QString> find_recovery(const QString& clip_path);

// Every recovery file in the folder, the most recently written first.
QStringList recovery_files();

// Removes the clip's recovery file; true when none is left.
bool discard_recovery(const QString& clip_path);
