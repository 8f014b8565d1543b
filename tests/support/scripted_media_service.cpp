#include "tests/support/scripted_media_service.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

int ScriptedMediaService::send(std::string_view command, std::string& reply) {
    const std::string text(command);
    commands.push_back(text);
    if (journal) journal->push_back(text);
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (text.rfind(it->first, 0) == 0) {
            const Answer a = it->second;
            queue_.erase(it);
            reply = a.reply;
            return a.code;
        }
    }
    reply = clip ? clip_reply(text).value_or("") : "";
    return 0;
}

std::optional<std::string> ScriptedMediaService::clip_reply(const std::string& command) {
    std::istringstream in(command);
    std::vector<std::string> w;
    for (std::string word; in >> word;) w.push_back(word);
    Clip& c = *clip;
    const int last = static_cast<int>(c.times.size()) - 1;
    auto decimal = [](double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", v);
        return std::string(text);
    };
    if (w.size() >= 2 && w[0] == "step") {
        c.position = std::clamp(c.position + (w.size() > 2 ? -1 : 1), 0, last);
        return "";
    }
    if (w.size() == 4 && w[0] == "seek") c.position = std::clamp(std::stoi(w[3]), 0, last);
    if (w[0] == "update" || (w.size() == 3 && w[2] == "position"))
        return std::to_string(c.position);
    const std::string item = w.size() > 2 ? command.substr(command.find(w[2])) : "";
    if (item == "length") return std::to_string(c.times.size());
    if (item == "frame interval") return c.interval;
    if (item == "variable rate") return c.variable ? "true" : "false";
    if (item == "capture rate") return decimal(c.capture);
    if (w.size() == 4 && w[2] == "time") return decimal(c.times.at(std::stoul(w[3])));
    return std::nullopt;
}

std::string ScriptedMediaService::error_text(int code) {
    auto it = error_texts.find(code);
    if (it != error_texts.end()) return it->second;
    return "エラー " + std::to_string(code);
}

void ScriptedMediaService::answer(const std::string& prefix, int code, const std::string& reply) {
    queue_.push_back({prefix, Answer{code, reply}});
}
