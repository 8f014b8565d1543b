#include "tables/form6.h"

namespace {
// The file's header says m where the grid says m/s; the file keeps the texts users know.
const TableWindowLayout& vt_table_spec() {
    static const TableWindowLayout layout{
        QStringLiteral("ｖ-ｔ表"),
        {240, 120, 4095, 2655},
        {480, 3000, 1575, 495},
        {2400, 3000, 1575, 495},
        {QStringLiteral(" t[s] "), QStringLiteral(" Vx[m/s] "), QStringLiteral(" Vy[m/s] ")},
        QStringLiteral("Vx,Vy-tデータ(*.csv)|*.csv"),
        {QStringLiteral("時間[s]"), QStringLiteral("Vx[m]"), QStringLiteral("Vy[m]")},
        &vt_rows,
    };
    return layout;
}
}  // namespace

Form6::Form6() : TableWindow(vt_table_spec()) {}
