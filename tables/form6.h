#pragma once
#include "tables/table_window.h"

// The v-t table: midpoint time and the two velocities of every interval between marks.
class Form6 : public TableWindow {
    Q_OBJECT
  public:
    Form6();
};
