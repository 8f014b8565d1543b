#include "workfile/clip_location.h"

#include <QDir>
#include <QFileInfo>

namespace {
bool is_file(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }
}  // namespace

ClipLocation locate_clip(const QString& work_file_path, const WorkFile& work) {
    const QDir folder = QFileInfo(work_file_path).absoluteDir();
    const QString relative = work.clip_relative_path.isEmpty()
                                 ? QString()
                                 : QDir::cleanPath(folder.filePath(work.clip_relative_path));
    if (is_file(relative)) return {relative, {}};
    if (is_file(work.clip_path)) return {work.clip_path, {}};
    return {{},
            QStringLiteral("作業ファイルのビデオが見つかりません。\n作業ファイルからの相対パス: ") +
                (relative.isEmpty() ? QStringLiteral("（なし）")
                                    : work.clip_relative_path + QStringLiteral("（") + relative +
                                          QStringLiteral("）")) +
                QStringLiteral("\n絶対パス: ") + work.clip_path};
}
