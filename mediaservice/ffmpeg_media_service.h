#pragma once
#include <QImage>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mediaservice/media_service.h"

class ClipSession;

// The video service over FFmpeg. Clips are known by their alias (compared without regard to
// case); every command runs to completion on the calling (UI) thread.
class FfmpegMediaService : public MediaService {
  public:
    FfmpegMediaService();
    ~FfmpegMediaService() override;

    int send(std::string_view command, std::string& reply) override;
    std::string error_text(int code) override;

    // The clip behind an alias, or nullptr: for tools that look at the service from outside.
    const ClipSession* session(std::string_view alias) const;

  private:
    using Words = std::vector<std::string>;
    int run(const Words& words, std::string& reply);
    int open(const Words& words);
    int close(const Words& words);
    int where(const Words& words, std::string& reply);
    int put(const Words& words);
    int status(const Words& words, std::string& reply);
    int play(const Words& words);
    int pause(const Words& words);
    int step(const Words& words);
    int seek(const Words& words);
    int update(const Words& words, std::string& reply);

    // The session named by words[1]; sets the failure when there is none.
    ClipSession* find(const Words& words);
    int fail(int code, const std::string& particulars = "");

    std::map<std::string, std::unique_ptr<ClipSession>> sessions_;
    int last_code_ = 0;
    std::string last_text_;
};
