#pragma once
#include <string>
#include <string_view>

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
    kBadPath,
    kPathTooLong,
    kNotRegularFile,
    kNoSuchFrame,
};

// The most characters of an error text: it fits the caller's 256-character reply buffer with
// its closing NUL.
inline constexpr int kMostErrorChars = 255;

// The Japanese description of a code, without the particulars of one failure.
std::string media_error_text(int code);

// The description with the particulars in brackets (a file's path, a word of the command),
// shortened in the middle so that the whole fits kMostErrorChars; control characters in
// the particulars show as '?'.
std::string media_error_text(int code, std::string_view particulars);
