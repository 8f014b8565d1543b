#pragma once
#include "graphs/form2.h"
#include "graphs/form3.h"
#include "platform/lazy_window.h"

// The one v-t window and the one x-t, y-t window of the program.
LazyWindow<Form2>& form2();
LazyWindow<Form3>& form3();

// Loads the window if needed, shows it (not modal) and brings it to the front, active.
void show_vt_graph();
void show_st_graph();
