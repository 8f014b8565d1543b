// Kelmaro: the earlier edition. Frames are stepped and counted by hand, positions stay in
// ruler units, the frame interval is 1/30 s, and there is no calibration and no table.
#include "editions/program_start.h"
#include "graphs/graph_settings.h"
#include "graphs/graph_windows.h"

namespace {
void wire_kelmaro_windows(Form1& main_window) {
    use_graph_settings(kelmaro_graph_settings());
    main_window.open_vt_graph = [] { show_vt_graph(); };
    main_window.open_st_graph = [] { show_st_graph(); };
}
}  // namespace

int main(int argc, char** argv) {
    return run_program(argc, argv,
                       {QStringLiteral("Kelmaro"), Edition::Kelmaro, wire_kelmaro_windows});
}
