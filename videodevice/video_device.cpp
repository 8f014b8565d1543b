#include "videodevice/video_device.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <string>

#include "mediaservice/media_service.h"
#include "platform/desktop.h"
#include "platform/number_text.h"

namespace {
MediaService* g_service = nullptr;

// The buffer holds 256 characters (not bytes), so a Japanese error text fits as well as an
// English one would.
using ReplyBuffer = std::u32string;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// Writes a text into the buffer as a service does: with a closing NUL when it fits.
void write_buffer(ReplyBuffer& buffer, const std::string& text) {
    const QList<uint> chars =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUcs4();
    const std::size_t n = std::min(static_cast<std::size_t>(chars.size()), buffer.size());
    std::copy_n(chars.begin(), n, buffer.begin());
    if (n < buffer.size()) buffer[n] = U'\0';
}
}  // namespace

void set_video_service(MediaService* service) { g_service = service; }

std::int32_t video_command(std::string_view command, std::string& reply) {
    ReplyBuffer buffer(kReplyBufferSize, U' ');
    std::string answer;
    std::int32_t code = -1;
    if (g_service) {
        code = g_service->send(command, answer);
        write_buffer(buffer, answer);
    }
    if (code != 0) {
        desktop().beep();
        write_buffer(buffer, g_service ? g_service->error_text(code)
                                       : std::string("ビデオサービスがありません"));
    }
    const auto nul = buffer.find(U'\0');
    if (nul != ReplyBuffer::npos) {
        reply = QString::fromUcs4(buffer.data(), static_cast<qsizetype>(nul)).toStdString();
    }
    return code;
}

void send_video(std::string_view command) {
    std::string reply;
    video_command(command, reply);
}

std::optional<std::string> ask_video(std::string_view command) {
    if (!g_service) return std::nullopt;
    std::string answer;
    if (g_service->send(command, answer) != 0) return std::nullopt;
    return answer;
}

std::string short_path(const QString& path) {
    if (path.isEmpty() || !QFileInfo::exists(path)) return {};
    const QByteArray bytes = QFileInfo(path).absoluteFilePath().toUtf8();
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '~' || c == '/' ||
                           c == '-';
        if (plain) {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string plain_number(long long value) { return std::to_string(value); }

std::string signed_blank(long long value) {
    if (value < 0) return std::to_string(value);
    // Appended rather than prefixed: GCC 12 at -O3 warns falsely (-Wrestrict) on the prefix.
    std::string out(1, ' ');
    out += std::to_string(value);
    return out;
}

std::optional<std::int16_t> reply_to_int16(std::string_view reply) {
    return round_to_int16(leading_number(reply));
}

std::optional<std::int32_t> reply_to_frame(std::string_view reply) {
    const std::string_view digits = trimmed(reply);
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<std::int32_t>(std::stol(std::string(digits)));
}

std::optional<double> reply_to_decimal(std::string_view reply) {
    return parse_decimal(QString::fromLatin1(reply.data(), static_cast<qsizetype>(reply.size())));
}

std::optional<double> reply_to_seconds(std::string_view reply) {
    const std::size_t slash = reply.find('/');
    const std::optional<double> num = reply_to_decimal(reply.substr(0, slash));
    const std::optional<double> den =
        slash == std::string_view::npos ? 1.0 : reply_to_decimal(reply.substr(slash + 1));
    if (!num || !den || *num <= 0 || *den <= 0) return std::nullopt;
    return *num / *den;
}
