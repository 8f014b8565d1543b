#include "editions/kinvora_wiring.h"

#include <opencv2/core/utility.hpp>

#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "marking/form4.h"
#include "marking/tracking_assistant.h"
#include "tables/table_windows.h"
#include "worksession/work_session.h"

void wire_kinvora_windows(Form1& main_window) {
    main_window.open_vt_graph = [] { show_vt_graph(); };
    main_window.open_st_graph = [] { show_st_graph(); };
    main_window.length_dialog = &form4_length_dialog();
    // Owned by the window.
    main_window.clip_work =
        new WorkSession(main_window, main_window, main_window.mnufile, main_window.mnuclose);
    form2().on_made = [](Form2& w) { w.on_table_button = [] { show_vt_table(); }; };
    form3().on_made = [](Form3& w) { w.on_table_button = [] { show_xt_table(); }; };
    new TrackingAssistant(main_window);  // owned by the window
}

namespace {
QStringList kinvora_libraries() {
    return {QStringLiteral("OpenCV %1").arg(QString::fromStdString(cv::getVersionString()))};
}
}  // namespace

const ProgramEdition& kinvora_program() {
    static const ProgramEdition program{QStringLiteral("Kinvora"), Edition::Kinvora,
                                        wire_kinvora_windows, kinvora_libraries};
    return program;
}
