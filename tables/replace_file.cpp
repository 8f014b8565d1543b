#include "tables/replace_file.h"

#include <QSaveFile>

bool replace_file(const QString& path, const std::string& bytes, QString* error) {
    // QSaveFile writes beside the target and renames over it on commit; it keeps the old
    // file's permissions. Writing in place when the folder is not writable stays off: that
    // would destroy the old file before the new one is complete.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        file.commit();  // removes the temporary file
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}
