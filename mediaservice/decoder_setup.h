#pragma once
#include "mediaservice/ffmpeg_ptr.h"

// A decoder for the stream, set up but not yet opened; null when the libraries have none.
// Its frames may be no larger than the largest a camera makes, or than the clip says its
// frames are: a damaged header may claim a frame of tens of megapixels, and the decoder would
// then spend a second or more making it up.
AvCodecContextPtr new_decoder(const AVCodecParameters* parameters, int threads);
