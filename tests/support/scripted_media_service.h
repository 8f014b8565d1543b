#pragma once
#include <deque>
#include <map>
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

    std::vector<std::string> commands;
    std::map<int, std::string> error_texts;  // code -> text; a default text otherwise
    // When set, commands are also appended here, to be ordered among desktop events.
    std::vector<std::string>* journal = nullptr;

  private:
    std::vector<std::pair<std::string, Answer>> queue_;
};
