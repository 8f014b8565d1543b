#include "graphs/graph_windows.h"

LazyWindow<Form2>& form2() {
    static LazyWindow<Form2> window;
    return window;
}

LazyWindow<Form3>& form3() {
    static LazyWindow<Form3> window;
    return window;
}

void show_vt_graph() { show_in_front(form2().get()); }

void show_st_graph() { show_in_front(form3().get()); }
