#pragma once
#include <functional>

#include "graphs/graph_window.h"

// The x-t, y-t graph: the x and y positions of the marks against their times.
class Form3 : public GraphWindow {
    Q_OBJECT
  public:
    Form3();

    // What the table button opens; set by the program's edition, nothing when unset.
    std::function<void()> on_table_button;

    QPushButton* Cmd_data = nullptr;  // absent without tables

    void Zahyo_st();
    void Graph_st();
    void Graph_saisyo() override;
    void Cmd_data_Click();

  protected:
    void run_data_routine() override { Graph_st(); }
    // The fit works on velocities from this window's positions.
    void prepare_fit_samples() override;
    void table_button_clicked() override { Cmd_data_Click(); }
};
