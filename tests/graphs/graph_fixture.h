#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "graphs/graph_windows.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"

// Each test starts from a fresh analysis state with the scale 1 m per ruler unit and no
// graph window loaded.
class GraphTest : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    static void reset() {
        form2().destroy();
        form3().destroy();
        form2().on_made = nullptr;
        form3().on_made = nullptr;
        state() = AnalysisState{};
        state().scale_m_per_unit = 1.0f;
    }

    // Marks at the given (x, y) ruler positions, every step `step` frames apart.
    static void set_marks(std::initializer_list<std::pair<float, float>> marks, int step) {
        AnalysisState& s = state();
        s.mark_count = 0;
        for (const auto& [x, y] : marks) {
            ++s.mark_count;
            s.unit_x[s.mark_count] = x;
            s.unit_y[s.mark_count] = y;
            s.mark_step[s.mark_count - 1] = static_cast<std::int16_t>(s.mark_count == 1 ? 0 : step);
        }
    }

    static QRgb pixel(GraphWindow& w, int x, int y) { return w.Picture1->pixel_at(x, y); }

    // A pixel that only a redraw of the surface takes away.
    static void put_marker(GraphWindow& w) { w.Picture1->pset(5, 5, Qt::red); }
    static bool marker_gone(GraphWindow& w) { return pixel(w, 5, 5) == 0xFFFFFF; }
};

inline constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kLightBlue = 0x0000FF;
