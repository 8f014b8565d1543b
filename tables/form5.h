#pragma once
#include "tables/table_window.h"

// The x-t, y-t table: time, x and y of every mark.
class Form5 : public TableWindow {
    Q_OBJECT
  public:
    Form5();
};
