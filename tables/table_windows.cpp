#include "tables/table_windows.h"

namespace {
void bring_forward(QWidget& window) {
    if (window.isMinimized()) window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}
}  // namespace

LazyWindow<Form5>& form5() {
    static LazyWindow<Form5> instance;
    return instance;
}

LazyWindow<Form6>& form6() {
    static LazyWindow<Form6> instance;
    return instance;
}

void show_xt_table() { bring_forward(form5().get()); }

void show_vt_table() { bring_forward(form6().get()); }
