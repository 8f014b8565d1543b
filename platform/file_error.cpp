#include "platform/file_error.h"

#include <cerrno>

QString file_write_failure_reason(int error_number) {
    switch (error_number) {
        case 0:
            return QStringLiteral("ファイルに書けない文字があります。");
        case EACCES:
        case EPERM:
            return QStringLiteral("保存先のフォルダーに書き込む権限がありません。");
        case EROFS:
            return QStringLiteral("保存先は読み取り専用で、書き込めません。");
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("ディスクがいっぱいです。");
        case EFBIG:
            return QStringLiteral(
                "ファイルが大きすぎて書き込めません（ディスクの空きか上限を超えました）。");
        case ENAMETOOLONG:
            return QStringLiteral("ファイル名が長すぎます。短い名前にしてください。");
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("保存先のフォルダーがありません。");
        case EISDIR:
            return QStringLiteral("同じ名前のフォルダーがあります。");
        case EIO:
            return QStringLiteral("ディスクへの書き込み中にエラーが起きました。");
        default:
            return QStringLiteral("ファイルを書き込めませんでした（システムのエラー番号 ") +
                   QString::number(error_number) + QStringLiteral("）。");
    }
}

QString file_save_failure_message(int error_number) {
    return QStringLiteral("ファイルを保存できませんでした。\n") +
           file_write_failure_reason(error_number);
}
