#include "mediaservice/media_errors.h"

#include <QList>
#include <QString>

std::string media_error_text(int code) {
    switch (code) {
        case kMediaOk:
            return "エラーはありません。";
        case kUnknownCommand:
            return "不明なコマンドです。";
        case kMissingWord:
            return "コマンドに必要な語が足りません。";
        case kBadNumber:
            return "数値が正しくありません。";
        case kNothingOpen:
            return "クリップが開かれていません。";
        case kUnknownAlias:
            return "その別名のクリップは開かれていません。";
        case kAliasInUse:
            return "その別名のクリップは既に開かれています。";
        case kFileNotFound:
            return "ファイルが見つかりません。";
        case kEmptyFile:
            return "ファイルが空です。";
        case kNotVideoFile:
            return "ビデオとして読めないファイルです。";
        case kNoVideoStream:
            return "ファイルにビデオがありません。";
        case kUnsupportedCodec:
            return "このビデオの圧縮形式（コーデック）には対応していません。";
        case kNoFrames:
            return "ビデオに読めるフレームがありません。";
        case kBadWindow:
            return "ウィンドウのハンドルが正しくありません。";
        case kBadSurface:
            return "描画先のハンドルが正しくありません。";
        case kUnknownWord:
            return "コマンドの語が正しくありません。";
        case kDecodeFailed:
            return "フレームをデコードできません。";
        case kCannotRead:
            return "ファイルを読めません（読み取りの権限がないか、読み取りに失敗しました）。";
        case kBadPath:
            return "ファイル名に使えない文字（NUL）が含まれています。";
        case kPathTooLong:
            return "ファイルのパスが長すぎます。";
        case kNotRegularFile:
            return "フォルダーや装置など、通常のファイルでないものは開けません。";
        case kNoSuchFrame:
            return "そのフレーム番号はクリップにありません。";
        default:
            return "不明なエラーです（コード " + std::to_string(code) + "）。";
    }
}

std::string media_error_text(int code, std::string_view particulars) {
    const QString text = QString::fromStdString(media_error_text(code));
    if (particulars.empty()) return text.toStdString();
    QList<uint> chars =
        QString::fromUtf8(particulars.data(), static_cast<qsizetype>(particulars.size())).toUcs4();
    for (uint& c : chars)
        if (c < 0x20 || c == 0x7F) c = '?';
    const qsizetype room = kMostErrorChars - text.toUcs4().size() - 2;  // the two brackets
    if (chars.size() > room) {
        // The start and the end (a path's folder and file name) stay, joined by an ellipsis.
        const qsizetype head = (room - 1) / 2;
        const qsizetype tail = room - 1 - head;
        chars = chars.first(head) + QList<uint>{0x2026} + chars.last(tail);
    }
    const QString shown =
        QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), chars.size());
    return (text + QStringLiteral("（") + shown + QStringLiteral("）")).toStdString();
}
