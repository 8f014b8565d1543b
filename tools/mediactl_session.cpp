#include "tools/mediactl_session.h"

#include <QImage>
#include <QString>

#include "mediaservice/clip_session.h"
#include "mediaservice/command_words.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "mediaservice/media_errors.h"

namespace {
constexpr int kCannotSave = 400;

std::string one_line(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}
}  // namespace

int MediactlSession::save(const std::string& line, std::string& reply) {
    const std::vector<std::string> words = split_command(line);
    if (words.size() < 2 || words.size() > 3) {
        reply = media_error_text(kMissingWord);
        return kMissingWord;
    }
    const std::string alias = words.size() == 3 ? words[2] : last_alias_;
    const ClipSession* clip = service_.session(alias);
    if (!clip) {
        reply = media_error_text(alias.empty() ? kNothingOpen : kUnknownAlias);
        return alias.empty() ? kNothingOpen : kUnknownAlias;
    }
    // A NUL would end the name early: "a.png<NUL>.txt" would write a.png.
    if (words[1].find('\0') != std::string::npos) {
        reply = media_error_text(kBadPath);
        return kBadPath;
    }
    if (!clip->picture().save(QString::fromStdString(words[1]), "PNG")) {
        reply = "画像を書き込めません（" + words[1] + "）";
        return kCannotSave;
    }
    reply = words[1];
    return 0;
}

std::string MediactlSession::answer(const std::string& line) {
    std::string reply;
    int code = 0;
    const std::vector<std::string> words = split_command(line);
    if (!words.empty() && words[0] == ":quit") {
        quit = true;
    } else if (!words.empty() && words[0] == ":save") {
        code = save(line, reply);
    } else {
        code = service_.send(line, reply);
        if (code == 0 && words.size() >= 4 && is_word(words[0], "open")) {
            for (size_t i = 2; i + 1 < words.size(); ++i)
                if (is_word(words[i], "alias")) last_alias_ = words[i + 1];
        }
    }
    return std::to_string(code) + " " + one_line(reply);
}
