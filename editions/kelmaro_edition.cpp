#include "editions/kelmaro_edition.h"

#include "graphs/graph_settings.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"

namespace {

void wire_kelmaro_windows(Form1& main_window) {
    use_graph_settings(kelmaro_graph_settings());
    main_window.open_vt_graph = [] { show_vt_graph(); };
    main_window.open_st_graph = [] { show_st_graph(); };
}

}  // namespace

const ProgramEdition& kelmaro_program() {
    static const ProgramEdition program{QStringLiteral("Kelmaro"), Edition::Kelmaro,
                                        wire_kelmaro_windows};
    return program;
}
