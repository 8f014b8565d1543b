#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class MediaService;

// The video service in force; every video operation of the program goes through it.
void set_video_service(MediaService* service);

// The size in characters of the reply buffer that a command's reply and an error text share.
inline constexpr std::size_t kReplyBufferSize = 256;

// Sends one command. On failure it beeps once and the reply holds the service's error text.
// The reply is the buffer's text up to its first NUL; a buffer without one (a reply that
// filled all 256 characters) leaves the caller's reply as it was.
std::int32_t video_command(std::string_view command, std::string& reply);

// Sends one command whose reply nobody reads (failures still beep).
void send_video(std::string_view command);

// A form of the path without blanks that the video service accepts in its open command:
// every byte of the UTF-8 path outside A-Z a-z 0-9 . _ ~ / - written as %XX. The empty text
// when the file does not exist.
std::string short_path(const QString& path);

// Numbers inside commands: plain digits (handles) or with a leading blank for zero and
// positive values and a minus sign otherwise (positions and sizes).
std::string plain_number(long long value);
std::string signed_blank(long long value);

// A reply read as a 16-bit number: its leading decimal number (0 when none), nearest, halves
// to even; nothing when it does not fit in 16 bits.
std::optional<std::int16_t> reply_to_int16(std::string_view reply);
