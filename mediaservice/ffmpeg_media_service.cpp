#include "mediaservice/ffmpeg_media_service.h"

#include <QWidget>
#include <algorithm>
#include <cctype>

#include "mediaservice/clip_session.h"
#include "mediaservice/command_words.h"
#include "mediaservice/media_errors.h"
#include "platform/handles.h"

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The words from `first` on must be exactly `expected` (without regard to case).
bool words_are(const std::vector<std::string>& words, size_t first,
               std::initializer_list<std::string_view> expected) {
    if (words.size() != first + expected.size()) return false;
    size_t i = first;
    for (std::string_view word : expected)
        if (!is_word(words[i++], word)) return false;
    return true;
}

}  // namespace

FfmpegMediaService::FfmpegMediaService() {
    // Damaged clips are reported through our own texts; FFmpeg's console noise helps nobody.
    av_log_set_level(AV_LOG_FATAL);
}

FfmpegMediaService::~FfmpegMediaService() = default;

int FfmpegMediaService::fail(int code, const std::string& particulars) {
    last_code_ = code;
    last_text_ = media_error_text(code, particulars);
    return code;
}

std::string FfmpegMediaService::error_text(int code) {
    return code == last_code_ ? last_text_ : media_error_text(code);
}

const ClipSession* FfmpegMediaService::session(std::string_view alias) const {
    auto it = sessions_.find(lower(std::string(alias)));
    return it == sessions_.end() ? nullptr : it->second.get();
}

int FfmpegMediaService::send(std::string_view command, std::string& reply) {
    reply.clear();
    const int code = run(split_command(command), reply);
    if (code != 0) reply = last_text_;
    return code;
}

int FfmpegMediaService::run(const Words& words, std::string& reply) {
    if (words.empty()) return fail(kUnknownCommand);
    const std::string verb = lower(words[0]);
    if (verb == "open") return open(words);
    using Handler = int (FfmpegMediaService::*)(const Words&);
    static const std::map<std::string, Handler> kPlain = {
        {"close", &FfmpegMediaService::close}, {"put", &FfmpegMediaService::put},
        {"play", &FfmpegMediaService::play},   {"pause", &FfmpegMediaService::pause},
        {"stop", &FfmpegMediaService::pause},  {"step", &FfmpegMediaService::step},
        {"seek", &FfmpegMediaService::seek},
    };
    if (auto it = kPlain.find(verb); it != kPlain.end()) return (this->*it->second)(words);
    if (verb == "where") return where(words, reply);
    if (verb == "status") return status(words, reply);
    if (verb == "update") return update(words, reply);
    return fail(kUnknownCommand, words[0]);
}

ClipSession* FfmpegMediaService::find(const Words& words) {
    if (words.size() < 2) {
        fail(kMissingWord);
        return nullptr;
    }
    auto it = sessions_.find(lower(words[1]));
    if (it != sessions_.end()) return it->second.get();
    fail(sessions_.empty() ? kNothingOpen : kUnknownAlias, words[1]);
    return nullptr;
}

int FfmpegMediaService::open(const Words& words) {
    // open PATH alias NAME [style child] [parent HWND]
    // A path that could not be named at all leaves "open  alias NAME ...".
    if (words.size() >= 3 && is_word(words[1], "alias") && words.size() % 2 == 1)
        return fail(kFileNotFound);
    if (words.size() < 4) return fail(kMissingWord);
    std::string alias;
    std::optional<std::int64_t> parent_handle;
    for (size_t i = 2; i < words.size(); i += 2) {
        if (i + 1 >= words.size()) return fail(kMissingWord, words[i]);
        if (is_word(words[i], "alias")) {
            alias = words[i + 1];
        } else if (is_word(words[i], "style")) {
            if (!is_word(words[i + 1], "child")) return fail(kUnknownWord, words[i + 1]);
        } else if (is_word(words[i], "parent")) {
            parent_handle = parse_integer(words[i + 1]);
            if (!parent_handle) return fail(kBadNumber, words[i + 1]);
        } else {
            return fail(kUnknownWord, words[i]);
        }
    }
    if (alias.empty()) return fail(kMissingWord, "alias");
    if (sessions_.count(lower(alias))) return fail(kAliasInUse, alias);
    QWidget* parent = nullptr;
    if (parent_handle) {
        parent = qobject_cast<QWidget*>(resolve_handle(*parent_handle));
        if (!parent) return fail(kBadWindow, words.back());
    }
    const std::string path = percent_decode(words[1]);
    // A NUL ends a path for the system: what lies after it would be silently dropped.
    if (path.find('\0') != std::string::npos) return fail(kBadPath, words[1]);
    ClipDecoder::OpenResult opened = ClipDecoder::open(path);
    if (!opened.decoder) return fail(opened.error, opened.detail);
    sessions_[lower(alias)] = std::make_unique<ClipSession>(std::move(opened.decoder), parent);
    return 0;
}

int FfmpegMediaService::close(const Words& words) {
    if (words.size() != 2)
        return fail(words.size() < 2 ? kMissingWord : kUnknownWord, words.back());
    if (!find(words)) return last_code_;
    sessions_.erase(lower(words[1]));
    return 0;
}

int FfmpegMediaService::where(const Words& words, std::string& reply) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    if (!words_are(words, 2, {"source"}))
        return fail(kUnknownWord, words.size() > 2 ? words[2] : "");
    const QSize size = clip->source_size();
    reply = "0 0 " + std::to_string(size.width()) + " " + std::to_string(size.height());
    return 0;
}

int FfmpegMediaService::put(const Words& words) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    if (words.size() != 8 ||
        !words_are(Words(words.begin(), words.begin() + 4), 2, {"destination", "at"}))
        return fail(words.size() < 8 ? kMissingWord : kUnknownWord);
    int value[4];
    for (int i = 0; i < 4; ++i) {
        const auto number = parse_integer(words[4 + i]);
        if (!number || *number < -32768 || *number > 32767 || (i >= 2 && *number < 0))
            return fail(kBadNumber, words[4 + i]);
        value[i] = static_cast<int>(*number);
    }
    clip->set_destination(QRect(value[0], value[1], value[2], value[3]));
    return 0;
}

int FfmpegMediaService::status(const Words& words, std::string& reply) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    const ClipTiming& timing = clip->decoder().timing();
    const ClipHeader& header = clip->decoder().header();
    if (words_are(words, 2, {"length"})) {
        reply = std::to_string(clip->length());
    } else if (words_are(words, 2, {"position"})) {
        reply = std::to_string(clip->position());
    } else if (words_are(words, 2, {"mode"})) {
        reply = clip->playing() ? "playing" : "paused";
    } else if (words_are(words, 2, {"frame", "interval"})) {
        reply = std::to_string(timing.interval().num) + "/" + std::to_string(timing.interval().den);
    } else if (words_are(words, 2, {"variable", "rate"})) {
        reply = timing.variable() ? "true" : "false";
    } else if (words_are(words, 2, {"capture", "rate"})) {
        reply = decimal_text(header.capture_rate, 3);
    } else if (words_are(words, 2, {"rotation"})) {
        reply = std::to_string(header.transform.degrees()) +
                (header.transform.mirrored ? " mirrored" : "");
    } else if (words.size() == 4 && is_word(words[2], "time")) {
        const auto frame = parse_integer(words[3]);
        if (!frame) return fail(kBadNumber, words[3]);
        if (*frame < 0 || *frame >= clip->length()) return fail(kNoSuchFrame, words[3]);
        reply = decimal_text(timing.time(static_cast<int>(*frame)), 9);
    } else {
        return fail(words.size() > 2 ? kUnknownWord : kMissingWord,
                    words.size() > 2 ? words[2] : "");
    }
    return 0;
}

int FfmpegMediaService::play(const Words& words) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    if (words.size() > 3 || (words.size() == 3 && !is_word(words[2], "window")))
        return fail(kUnknownWord, words.back());
    clip->play();
    return 0;
}

int FfmpegMediaService::pause(const Words& words) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    if (words.size() != 2) return fail(kUnknownWord, words.back());
    clip->pause();
    return 0;
}

int FfmpegMediaService::step(const Words& words) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    int delta = 1;
    if (words.size() == 3 && is_word(words[2], "reverse"))
        delta = -1;
    else if (words.size() != 2)
        return fail(kUnknownWord, words.back());
    const MediaError error = clip->step(delta);
    return error == kMediaOk ? 0 : fail(error);
}

int FfmpegMediaService::seek(const Words& words) {
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    if (words.size() != 4 || !is_word(words[2], "to"))
        return fail(words.size() < 4 ? kMissingWord : kUnknownWord);
    std::optional<std::int64_t> frame;
    if (is_word(words[3], "start"))
        frame = 0;
    else if (is_word(words[3], "end"))
        frame = clip->length() - 1;
    else
        frame = parse_integer(words[3]);
    if (!frame) return fail(kBadNumber, words[3]);
    const MediaError error = clip->seek(*frame);
    return error == kMediaOk ? 0 : fail(error);
}

int FfmpegMediaService::update(const Words& words, std::string& reply) {
    // update NAME hdc HDC [full]
    ClipSession* clip = find(words);
    if (!clip) return last_code_;
    if (words.size() < 4 || words.size() > 5 || !is_word(words[2], "hdc"))
        return fail(words.size() < 4 ? kMissingWord : kUnknownWord);
    if (words.size() == 5 && !is_word(words[4], "full")) return fail(kUnknownWord, words[4]);
    const auto handle = parse_integer(words[3]);
    if (!handle) return fail(kBadNumber, words[3]);
    const MediaError error = clip->paint_into(resolve_handle(*handle), words.size() == 5);
    if (error != kMediaOk) return fail(error, words[3]);
    reply = std::to_string(clip->position());
    return 0;
}
