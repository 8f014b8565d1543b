#include "tables/table_windows.h"

LazyWindow<Form5>& form5() {
    static LazyWindow<Form5> instance;
    return instance;
}

LazyWindow<Form6>& form6() {
    static LazyWindow<Form6> instance;
    return instance;
}

void show_xt_table() { show_in_front(form5().get()); }

void show_vt_table() { show_in_front(form6().get()); }
