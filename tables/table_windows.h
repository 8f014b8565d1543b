#pragma once
#include "platform/lazy_window.h"
#include "tables/form5.h"
#include "tables/form6.h"

// The one instance of each table window, loaded on first use.
LazyWindow<Form5>& form5();
LazyWindow<Form6>& form6();

// Show a table modeless with no owner. A table already loaded is only raised and activated:
// its grid keeps the snapshot it took when it loaded.
void show_xt_table();
void show_vt_table();
