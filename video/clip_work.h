#pragma once
#include <QString>

// What keeps the work on a clip beyond the window (the full program's work files, recovery
// files and recent files). The main window and its clip files tell it what happens to the
// clip; the earlier edition has none.
class ClipWork {
  public:
    virtual ~ClipWork() = default;
    // The marks and settings are about to be cleared or lost: another clip is being opened,
    // the clip closed, or the program is ending.
    virtual void work_leaving() = 0;
    // The clip at `path` was opened (the marks are empty again), or the clip was closed.
    virtual void clip_opened(const QString& path) = 0;
    virtual void clip_closed() = 0;
    // Opens `path` as the file menu would: a work file as 作業を開く does, anything else as a
    // clip.
    virtual void open_file(const QString& path) = 0;
};
