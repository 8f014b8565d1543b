#pragma once
#include <QImage>

#include "mediaservice/ffmpeg_ptr.h"

// Turns decoded frames into 32-bit pictures at the clip's own size. Keeps its scaler between
// calls, since every frame of a clip has the same format.
class FramePicture {
public:
    QImage convert(const AVFrame* frame);

private:
    SwsPtr sws_;
};
