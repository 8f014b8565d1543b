#include "tests/support/scripted_media_service.h"

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
    reply.clear();
    return 0;
}

std::string ScriptedMediaService::error_text(int code) {
    auto it = error_texts.find(code);
    if (it != error_texts.end()) return it->second;
    return "エラー " + std::to_string(code);
}

void ScriptedMediaService::answer(const std::string& prefix, int code, const std::string& reply) {
    queue_.push_back({prefix, Answer{code, reply}});
}
