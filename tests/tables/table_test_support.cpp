#include "tests/tables/table_test_support.h"

#include <QDir>
#include <QFile>

#include "state/analysis_state.h"
#include "tables/table_windows.h"

TableTest::TableTest() { state() = AnalysisState{}; }

TableTest::~TableTest() {
    form5().destroy();
    form6().destroy();
}

QString TableTest::path_in_dir(const QString& name) const { return dir.filePath(name); }

QStringList TableTest::dir_entries() const {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void set_marks(int n, float time_step, float x_step, float y_step) {
    AnalysisState& s = state();
    s.mark_count = static_cast<std::int16_t>(n);
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        s.mark_time[k] = time_step * static_cast<float>(i - 1);
        s.pos_x[k] = x_step * static_cast<float>(i);
        s.pos_y[k] = y_step * static_cast<float>(i);
    }
}

std::string read_bytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll().toStdString();
}

void write_bytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
