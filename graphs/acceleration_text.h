#pragma once
#include <QString>

#include "graphs/least_squares.h"

class PictureBox;

// What stands after "加速度aｘ=": the slope in the given display pattern, or a short notice
// when there is no line.
QString acceleration_text(const LineFit& fit, const char* format);

// Prints the two accelerations in the top right corner of a graph, in colour value 10 at
// font size 10; a fit without a line shows its notice and no unit.
void print_accelerations(PictureBox& picture, const LineFit& x_fit, const LineFit& y_fit,
                         const char* format, const QString& unit);
