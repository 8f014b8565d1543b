#include "tables/csv_table.h"

#include "platform/cp932.h"
#include "platform/number_text.h"

namespace {
// No cell ever holds a double quote, so cells are quoted without escaping.
QString csv_line(const std::array<QString, 3>& cells) {
    const QString q = QStringLiteral("\"");
    return q + cells[0] + q + ',' + q + cells[1] + q + ',' + q + cells[2] + q;
}
}  // namespace

std::vector<QString> csv_lines(const CsvHeader& header, const std::vector<TableRow>& rows) {
    std::vector<QString> lines;
    lines.reserve(rows.size() + 1);
    lines.push_back(csv_line(header));
    for (const TableRow& r : rows)
        lines.push_back(csv_line({csv_number(r[0]), csv_number(r[1]), csv_number(r[2])}));
    return lines;
}

std::optional<std::string> csv_file_bytes(const CsvHeader& header,
                                          const std::vector<TableRow>& rows) {
    return cp932_lines(csv_lines(header, rows));
}

std::string csv_utf8_file_bytes(const CsvHeader& header, const std::vector<TableRow>& rows) {
    std::string bytes = "\xEF\xBB\xBF";
    for (const QString& line : csv_lines(header, rows)) bytes += line.toStdString() + "\r\n";
    return bytes;
}
