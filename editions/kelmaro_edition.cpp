#include "editions/kelmaro_edition.h"

#include "graphs/graph_settings.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "platform/desktop.h"

void choose_kelmaro_edition() {
    set_program_name(QStringLiteral("Kelmaro"));
    set_program_edition(Edition::Kelmaro);
    use_graph_settings(kelmaro_graph_settings());
}

void wire_kelmaro_windows(Form1& main_window) {
    main_window.open_vt_graph = [] { show_vt_graph(); };
    main_window.open_st_graph = [] { show_st_graph(); };
}
