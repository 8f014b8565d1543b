#include "state/analysis_state.h"

AnalysisState& state() {
    static AnalysisState the_state;
    return the_state;
}
