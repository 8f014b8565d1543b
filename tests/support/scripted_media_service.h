#pragma once
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "mediaservice/media_service.h"

// A video service for window tests: records every command and answers from a script.
// An answer queued for a command's first word(s) is used once; without one the command
// succeeds with an empty reply.
class ScriptedMediaService : public MediaService {
  public:
    struct Answer {
        int code = 0;
        std::string reply;
    };

    int send(std::string_view command, std::string& reply) override;
    std::string error_text(int code) override;

    // Queue an answer for the next command that starts with `prefix` (e.g. "status avfile").
    void answer(const std::string& prefix, int code, const std::string& reply = "");

    // A clip the service follows, when set: step, step reverse and seek move its position (held
    // to its frames), update and "status NAME position" answer it, and "status NAME length",
    // "time N", "frame interval", "variable rate" and "capture rate" answer from here. Answers
    // queued with answer() still come first.
    struct Clip {
        std::vector<double> times;  // presentation time of each frame, s
        std::string interval = "1/30";
        bool variable = false;
        double capture = 0;
        int position = 0;
    };
    std::optional<Clip> clip;

    std::vector<std::string> commands;
    std::map<int, std::string> error_texts;  // code -> text; a default text otherwise
    // When set, commands are also appended here, to be ordered among desktop events.
    std::vector<std::string>* journal = nullptr;

  private:
    // What the clip answers to the command; nothing for a command it leaves to the script.
    std::optional<std::string> clip_reply(const std::string& command);

    std::vector<std::pair<std::string, Answer>> queue_;
};
