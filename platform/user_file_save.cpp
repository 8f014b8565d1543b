#include "platform/user_file_save.h"

#include <QFileInfo>

#include "platform/desktop.h"
#include "platform/file_error.h"
#include "platform/replace_file.h"

bool confirm_overwrite(const QString& path) {
    const QFileInfo target(path);
    if (!target.exists() && !target.isSymLink()) return true;
    return desktop().ask_yes_no(QStringLiteral("同じ名前のファイルが存在します。") +
                                    QStringLiteral("\r\n") + QStringLiteral("上書きしますか？"),
                                program_name());
}

bool write_user_file(const QString& path, const std::string& bytes, QString* error) {
    int error_number = 0;
    if (replace_file(path, bytes, error, &error_number)) return true;
    desktop().beep();
    desktop().error_box(file_save_failure_message(error_number), program_name());
    return false;
}
