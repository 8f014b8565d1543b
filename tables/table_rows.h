#pragma once
#include <array>
#include <vector>

#include "state/analysis_state.h"

// One line of a table: the time and the two values, in the order of the columns.
using TableRow = std::array<float, 3>;

// The rows are derived from the marks as they are at the call, exactly as the graph windows
// derive them when they draw (positions from the length scale, times by the timing in force),
// and the derived arrays are written back into the state as a redraw would.

// The x-t, y-t table: mark_time, pos_x, pos_y of marks 1 .. mark_count.
std::vector<TableRow> xt_rows(AnalysisState& s);

// The v-t table: vel_time, vel_x, vel_y of intervals 1 .. mark_count - 1.
std::vector<TableRow> vt_rows(AnalysisState& s);
