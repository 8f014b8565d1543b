#pragma once
#include <QString>
#include <functional>
#include <vector>

#include "tables/csv_table.h"
#include "tables/table_rows.h"

enum class CsvSaveOutcome { Saved, Cancelled, KeptExisting, Failed };

// The save procedure of both table windows: the save dialog (the given filter as its first and
// default file type, then "CSV UTF-8 (*.csv)"; no initial name; default extension csv), the
// overwrite question when the chosen file exists, then the file: code page 932 for the first
// type, UTF-8 with a byte-order mark for the second. Cancel and No write and delete nothing.
// A failure beeps, says why in a message box and leaves an existing file as it was; `error`
// (optional) then holds the system's text, for diagnosis. `rows` is called once the file is
// chosen, right before writing, so the file holds the data of that moment.
using TableRowsNow = std::function<std::vector<TableRow>()>;
CsvSaveOutcome save_table_csv(const QString& filter, const CsvHeader& header,
                              const TableRowsNow& rows, QString* error = nullptr);
