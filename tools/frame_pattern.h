#pragma once
#include <QImage>

// Test pictures that carry their own frame number: 16 blocks in two rows across the top of
// the picture, white for a one bit and black for a zero, most significant bit first. The
// blocks are large enough to survive lossy codecs and scaling; the rest is mid grey, so a
// picture turned upside down no longer reads as its number.
QImage numbered_frame(int number, int width, int height);

// The number a picture carries, or -1 when a block is neither clearly black nor white.
int read_frame_number(const QImage& picture);
