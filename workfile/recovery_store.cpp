#include "workfile/recovery_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/file_error.h"
#include "workfile/work_file_format.h"
#include "workfile/work_file_io.h"

namespace {
// The same clip reached through a link or a relative name gets the same file.
QString clip_key(const QString& clip_path) {
    const QFileInfo info(clip_path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString name_filter() { return QStringLiteral("*.") + QLatin1String(kWorkFileExtension); }
}  // namespace

QString recovery_folder() {
    const QString state_home = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(state_home)
                             ? state_home
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/kinvora"));
}

QString recovery_file_for(const QString& clip_path) {
    const QByteArray hash =
        QCryptographicHash::hash(clip_key(clip_path).toUtf8(), QCryptographicHash::Sha256);
    return recovery_folder() + QLatin1Char('/') + QString::fromLatin1(hash.toHex().left(32)) +
           QLatin1Char('.') + QLatin1String(kWorkFileExtension);
}

bool write_recovery(const WorkFile& work, QString* error) {
    const QString folder = recovery_folder();
    if (!QDir().mkpath(folder)) {
        if (error) *error = file_save_failure_message(EACCES);
        return false;
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return write_work_file(recovery_file_for(work.clip_path), work, error);
}

std::optional<QString> find_recovery(const QString& clip_path) {
    const QString path = recovery_file_for(clip_path);
    if (!QFileInfo(path).isFile()) return {};
    return path;
}

QStringList recovery_files() {
    const QDir folder(recovery_folder());
    QStringList out;
    for (const QFileInfo& f :
         folder.entryInfoList({name_filter()}, QDir::Files | QDir::NoDotAndDotDot, QDir::Time))
        out << f.absoluteFilePath();
    return out;
}

bool discard_recovery(const QString& clip_path) {
    const QString path = recovery_file_for(clip_path);
    return QFile::remove(path) || !QFileInfo::exists(path);
}
