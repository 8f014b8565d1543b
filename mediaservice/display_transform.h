#pragma once
#include <QImage>
#include <QSize>
#include <cstdint>

// How a player turns a stored picture to show it upright: a quarter turn clockwise so many
// times, then, when mirrored, a flip left to right. Phones write it as the display matrix of
// the track header.
struct DisplayTransform {
    int quarter_turns = 0;  // 0 to 3, clockwise
    bool mirrored = false;

    // Read from a display matrix (nine 32-bit numbers, the first four of the 2 x 2 part in
    // 16.16 fixed point). A matrix that is no turn by quarters, with or without a flip (a
    // damaged one, or a turn by another angle), shows the picture as stored.
    static DisplayTransform from_matrix(const std::int32_t* matrix);

    int degrees() const { return 90 * quarter_turns; }
    bool turns_sideways() const { return quarter_turns % 2 == 1; }
    // The size a picture of `size` has once turned, and the other way round.
    QSize shown(QSize size) const { return turns_sideways() ? size.transposed() : size; }
    QSize stored(QSize size) const { return shown(size); }
    // The picture turned and flipped as shown.
    QImage upright(const QImage& stored_picture) const;
};

// The size a player shows a stored picture at: widened (or narrowed) by the sample aspect
// ratio, then turned. An unknown or absurd ratio counts as square.
QSize displayed_size(QSize stored, int sar_num, int sar_den, DisplayTransform transform);
