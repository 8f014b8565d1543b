#pragma once
#include <array>
#include <vector>

#include "state/analysis_state.h"

// One line of a table: the time and the two values, in the order of the columns.
using TableRow = std::array<float, 3>;

// The x-t, y-t table: mark_time, pos_x, pos_y of marks 1 .. mark_count.
std::vector<TableRow> xt_rows(const AnalysisState& s);

// The v-t table: vel_time, vel_x, vel_y of intervals 1 .. mark_count - 1.
std::vector<TableRow> vt_rows(const AnalysisState& s);
