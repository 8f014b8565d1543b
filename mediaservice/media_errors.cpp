#include "mediaservice/media_errors.h"

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
        default:
            return "不明なエラーです（コード " + std::to_string(code) + "）。";
    }
}
