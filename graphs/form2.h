#pragma once
#include <functional>

#include "graphs/graph_window.h"

// The v-t graph: the x and y velocities of the intervals between marks against the
// intervals' midpoint times.
class Form2 : public GraphWindow {
    Q_OBJECT
  public:
    Form2();

    // What the table button opens; set by the program's edition, nothing when unset.
    std::function<void()> on_table_button;

    QPushButton* Cmd_vt_table = nullptr;  // objectName "Cmd_vt表"; absent without tables

    void Zahyo_vt();
    void Graph_vt();
    void Graph_saisyo() override;
    void Cmd_vt_table_Click();

  protected:
    void run_data_routine() override { Graph_vt(); }
    void table_button_clicked() override { Cmd_vt_table_Click(); }
};
