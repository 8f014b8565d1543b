#pragma once
#include <QString>
#include <cstdint>

#include "workfile/work_file.h"

class MarkingWindow;

// The work on the open clip as a work file keeps it, taken from the analysis state, the main
// window's marking state and controls (送りコマ数, 調整時間, the frame interval choice,
// 撮影時のコマ数/秒) and the length last set; and put back.

// The work as it stands on the clip at `clip_path`. A calibration in progress is kept as far
// as it went; the scale in force is the one it started from.
WorkFile current_work(const MarkingWindow& window, const QString& clip_path);

// What makes `work` unfit for this window before anything is touched: a canvas of another
// size, or ruler positions that do not follow from the canvas positions and the axis
// directions. The empty text when it fits.
QString work_misfit(const WorkFile& work, const MarkingWindow& window);

// Puts `work` back on its clip, which the window has just opened (`clip_length` frames):
// the settings, the scale and calibration, the marks with their frames and times, the clip
// played and standing where the advance after the last mark left it (its frame plus
// 送りコマ数, at most the last frame; frame 0 without marks), and the canvas, the rulers and
// the coordinate boxes as the marking left them.
void restore_work(const WorkFile& work, MarkingWindow& window, std::int32_t clip_length);
