#include "tables/save_table_csv.h"

#include <QFileInfo>

#include "platform/cp932.h"
#include "platform/desktop.h"

namespace {
CsvSaveOutcome fail(QString* error, const QString& why) {
    if (error) *error = why;
    desktop().beep();
    return CsvSaveOutcome::Failed;
}
}  // namespace

CsvSaveOutcome save_table_csv(const QString& filter, const CsvHeader& header,
                              const TableRowsNow& rows, QString* error) {
    const auto path = desktop().save_file({filter, QString(), QStringLiteral("csv")});
    if (!path) return CsvSaveOutcome::Cancelled;

    // A dangling symbolic link counts as an existing name too: writing would replace it.
    const QFileInfo target(*path);
    if (target.exists() || target.isSymLink()) {
        const QString question = QStringLiteral("同じ名前のファイルが存在します。") +
                                 QStringLiteral("\r\n") + QStringLiteral("上書きしますか？");
        if (!desktop().ask_yes_no(question, program_name())) return CsvSaveOutcome::KeptExisting;
    }

    QString why;
    if (!write_cp932_lines(*path, csv_lines(header, rows()), &why)) return fail(error, why);
    return CsvSaveOutcome::Saved;
}
