#include "tables/table_rows.h"

#include <algorithm>

#include "state/analysis.h"

namespace {
// Rows 1 .. last of three arrays; a count outside the arrays' room is held to it, so a
// damaged count can never read past index 100.
std::vector<TableRow> rows_of(const Array101<float>& t, const Array101<float>& a,
                              const Array101<float>& b, int last) {
    last = std::clamp(last, 0, kMaxIndex);
    std::vector<TableRow> rows;
    rows.reserve(static_cast<std::size_t>(last));
    for (int i = 1; i <= last; ++i) {
        const auto k = static_cast<std::size_t>(i);
        rows.push_back({t[k], a[k], b[k]});
    }
    return rows;
}
}  // namespace

std::vector<TableRow> xt_rows(AnalysisState& s) {
    compute_positions(s);
    compute_mark_times_in_force(s, s.frame_time);
    return rows_of(s.mark_time, s.pos_x, s.pos_y, s.mark_count);
}

std::vector<TableRow> vt_rows(AnalysisState& s) {
    compute_positions(s);
    compute_velocities_in_force(s, s.frame_time);
    return rows_of(s.vel_time, s.vel_x, s.vel_y, s.mark_count - 1);
}
