#pragma once
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tables/table_rows.h"

using CsvHeader = std::array<QString, 3>;

// The lines of the CSV file: the header line, then one line a row, every cell in double quotes,
// numbers by csv_number.
std::vector<QString> csv_lines(const CsvHeader& header, const std::vector<TableRow>& rows);

// The whole CSV file in code page 932: the header line, then one line a row, every cell in
// double quotes, numbers by csv_number, CR LF after every line, no byte-order mark. Nothing
// when a text has no code in code page 932.
std::optional<std::string> csv_file_bytes(const CsvHeader& header,
                                          const std::vector<TableRow>& rows);

// The same lines in UTF-8 after a byte-order mark (how spreadsheets recognise UTF-8), CR LF
// after every line.
std::string csv_utf8_file_bytes(const CsvHeader& header, const std::vector<TableRow>& rows);
