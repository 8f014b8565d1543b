#include "worksession/clip_facts.h"

#include <limits>
#include <string>

#include "videodevice/video_device.h"

namespace {
// Not `avfile`: the window's clip stays open meanwhile.
constexpr const char* kAlias = "kvworkfile";
}  // namespace

ClipFacts ask_clip_facts(const QString& path) {
    ClipFacts facts;
    std::string reply;
    const std::string alias = kAlias;
    if (video_command("open " + short_path(path) + " alias " + alias, reply) != 0) {
        facts.problem = QString::fromStdString(reply);
        return facts;
    }
    const std::optional<std::string> length = ask_video("status " + alias + " length");
    const std::optional<double> frames = length ? reply_to_decimal(*length) : std::nullopt;
    const bool fits = frames && *frames >= 0 && *frames <= std::numeric_limits<std::int32_t>::max();
    facts.length = fits ? static_cast<std::int32_t>(*frames) : 0;
    const std::optional<std::string> interval = ask_video("status " + alias + " frame interval");
    facts.tells_frame_interval = interval && reply_to_seconds(*interval).has_value();
    send_video("close " + alias);
    return facts;
}
