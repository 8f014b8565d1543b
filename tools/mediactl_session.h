#pragma once
#include <string>

class FfmpegMediaService;

// One line of mediactl's input turned into one line of output: the code, a blank, the reply,
// with line breaks in the reply turned into blanks. Besides the service's commands it knows
//   :save FILE.png [ALIAS]   the current frame as displayed: upright, at its displayed size
//                            (the last opened alias when none is named)
//   :quit                    sets `quit`
class MediactlSession {
  public:
    explicit MediactlSession(FfmpegMediaService& service) : service_(service) {}
    std::string answer(const std::string& line);
    bool quit = false;

  private:
    int save(const std::string& line, std::string& reply);
    FfmpegMediaService& service_;
    std::string last_alias_;
};
