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

// Asks the service something the program can do without (the clip's timing, a frame's time,
// where the clip stands): nothing is heard or shown when the service fails or does not know
// the command, as an older service does not. The reply on success, else nothing.
std::optional<std::string> ask_video(std::string_view command);

// A form of the path without blanks that the video service accepts in its open command:
// every byte of the UTF-8 path outside A-Z a-z 0-9 . _ ~ / - written as %XX. The empty text
// when the file does not exist.
std::string short_path(const QString& path);

// Numbers inside commands: plain digits (handles) or with a leading blank for zero and
// positive values and a minus sign otherwise (positions and sizes).
std::string plain_number(long long value);
std::string signed_blank(long long value);

// A reply that is a frame number (plain decimal digits, as "update" and "status ... position"
// answer), else nothing: a service that does not tell the frame answers an empty text.
std::optional<std::int32_t> reply_to_frame(std::string_view reply);

// A reply that is a decimal number ("0.833333333", "240"), else nothing.
std::optional<double> reply_to_decimal(std::string_view reply);

// A reply that is a positive fraction of whole numbers ("1001/30000", "1/60") or a positive
// decimal number, as seconds; else nothing.
std::optional<double> reply_to_seconds(std::string_view reply);

// A reply read as a 16-bit number: its leading decimal number (0 when none), nearest, halves
// to even; nothing when it does not fit in 16 bits.
std::optional<std::int16_t> reply_to_int16(std::string_view reply);
