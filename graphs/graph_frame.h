#pragma once
#include <QString>

#include "graphs/graph_settings.h"

class PictureBox;

// The numbers along the axes at grid line i = 0 .. 10 (from the left, from the bottom).
QString time_scale_text(int i, float yoko_bai);
QString value_scale_text(int i, const ValueAxis& axis, float tate_bai);

// Clears the surface and draws a graph's coordinate frame: box, axis line, dotted grid,
// scales, titles, units and legends. Leaves a dotted pen and light-blue text behind.
void draw_frame(PictureBox& picture, const ValueAxis& axis, float yoko_bai, float tate_bai,
                const QString& time_unit);
