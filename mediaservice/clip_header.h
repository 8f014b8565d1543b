#pragma once
#include <QSize>

#include "mediaservice/display_transform.h"
#include "mediaservice/ffmpeg_ptr.h"

// What a clip's headers say about how it is shown, beyond its frames.
struct ClipHeader {
    DisplayTransform transform;  // the turn of the track's display matrix
    QSize displayed;             // the picture as shown: pixel shape counted, turned
    // The rate the camera recorded at (com.android.capture.fps, as phones tag slow motion), or 0.
    double capture_rate = 0;
    AVRational nominal_rate{0, 1};  // the frame rate the header names, or 0/1

    // `stored`: the decoder's picture size.
    static ClipHeader read(AVFormatContext* format, int stream, QSize stored);
};
