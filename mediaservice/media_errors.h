#pragma once
#include <string>

// Result codes of the video service. 0 is success; the others name the cause of a failure.
enum MediaError : int {
    kMediaOk = 0,
    kUnknownCommand = 257,
    kMissingWord,
    kBadNumber,
    kNothingOpen,
    kUnknownAlias,
    kAliasInUse,
    kFileNotFound,
    kEmptyFile,
    kNotVideoFile,
    kNoVideoStream,
    kUnsupportedCodec,
    kNoFrames,
    kBadWindow,
    kBadSurface,
    kUnknownWord,
    kDecodeFailed,
    kCannotRead,
};

// The Japanese description of a code, without the particulars of one failure.
std::string media_error_text(int code);
