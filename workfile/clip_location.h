#pragma once
#include <QString>

#include "workfile/work_file.h"

// Where the clip of a work file is now: the path relative to the work file's folder first, so
// that a folder holding both can be moved or copied to another computer, then the absolute
// path. `path` is empty when neither names a file; `problem` then says so with both paths.
struct ClipLocation {
    QString path;
    QString problem;
};
ClipLocation locate_clip(const QString& work_file_path, const WorkFile& work);
