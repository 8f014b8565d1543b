#pragma once
#include <QString>
#include <cstdint>

// What a work file needs to know of its clip before the work in the window is given up for
// it: the clip is opened a second time under an alias of its own, asked, and closed, so that
// a clip that cannot be opened, or that is shorter than the marks, leaves the window as it was.
struct ClipFacts {
    QString problem;                    // the video service's error text; empty when it opened
    std::int32_t length = 0;            // frames
    bool tells_frame_interval = false;  // whether its own timing can be chosen
};
ClipFacts ask_clip_facts(const QString& path);
