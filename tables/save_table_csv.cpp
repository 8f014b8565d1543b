#include "tables/save_table_csv.h"

#include "platform/desktop.h"
#include "platform/file_error.h"
#include "platform/user_file_save.h"

namespace {
// The second file type of the dialog, after the table's own (code page 932).
constexpr int kUtf8Type = 1;
}  // namespace

CsvSaveOutcome save_table_csv(const QString& filter, const CsvHeader& header,
                              const TableRowsNow& rows, QString* error) {
    const QString types = filter + QStringLiteral("|CSV UTF-8 (*.csv)|*.csv");
    const auto choice = desktop().choose_save_file({types, QString(), QStringLiteral("csv")});
    if (!choice) return CsvSaveOutcome::Cancelled;
    if (!confirm_overwrite(choice->path)) return CsvSaveOutcome::KeptExisting;

    const std::vector<TableRow> now = rows();
    const std::optional<std::string> bytes = choice->file_type == kUtf8Type
                                                 ? csv_utf8_file_bytes(header, now)
                                                 : csv_file_bytes(header, now);
    if (!bytes) {
        desktop().beep();
        desktop().error_box(file_save_failure_message(0), program_name());
        return CsvSaveOutcome::Failed;
    }
    return write_user_file(choice->path, *bytes, error) ? CsvSaveOutcome::Saved
                                                        : CsvSaveOutcome::Failed;
}
