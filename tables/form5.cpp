#include "tables/form5.h"

namespace {
const TableWindowLayout& xt_table_spec() {
    static const TableWindowLayout layout{
        QStringLiteral("表ｘ－ｔ，ｙ－ｔ"),
        {360, 360, 4095, 2535},
        {840, 3000, 1335, 495},
        {2640, 3000, 1335, 495},
        {QStringLiteral(" t[s] "), QStringLiteral(" x[m] "), QStringLiteral(" y[m] ")},
        QStringLiteral("x,y-tデータ(*.csv)|*.csv"),
        {QStringLiteral("時間[s]"), QStringLiteral("ｘ[m]"), QStringLiteral("ｙ[m]")},
        &xt_rows,
    };
    return layout;
}
}  // namespace

Form5::Form5() : TableWindow(xt_table_spec()) {}
