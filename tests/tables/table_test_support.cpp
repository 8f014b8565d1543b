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

void set_marks(int n, float frame_time, float x_step, float y_step, std::int16_t frames) {
    AnalysisState& s = state();
    s.mark_count = static_cast<std::int16_t>(n);
    s.frame_time = frame_time;
    s.scale_m_per_unit = 1.0f;
    s.mark_step[0] = 0;
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        s.unit_x[k] = x_step * static_cast<float>(i);
        s.unit_y[k] = y_step * static_cast<float>(i);
        if (i < n) s.mark_step[k] = frames;
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
