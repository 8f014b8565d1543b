#include "tests/support/scripted_desktop.h"

void ScriptedDesktop::note(const std::string& event) {
    if (journal) journal->push_back(event);
}

void ScriptedDesktop::beep() {
    ++beeps;
    note("beep");
}

std::int32_t ScriptedDesktop::tick_count() {
    ++tick_reads;
    if (tick_source) return tick_source();
    const std::int32_t now = ticks;
    ticks = static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks) +
                                      static_cast<std::uint32_t>(tick_step));
    return now;
}

namespace {
std::optional<QString> pop(std::deque<std::optional<QString>>& q) {
    if (q.empty() || !q.front().has_value()) {
        if (!q.empty()) q.pop_front();
        return std::nullopt;
    }
    const QString answer = *q.front();
    q.pop_front();
    return answer;
}
}  // namespace

std::optional<QString> ScriptedDesktop::open_file(const FileDialogRequest& request) {
    open_requests.push_back(request);
    note("open_dialog");
    return pop(open_answers);
}

std::optional<SaveChoice> ScriptedDesktop::choose_save_file(const FileDialogRequest& request) {
    save_requests.push_back(request);
    note("save_dialog");
    const auto path = pop(save_answers);
    if (!path) return {};
    int type = 0;
    if (!save_type_answers.empty()) {
        type = save_type_answers.front();
        save_type_answers.pop_front();
    }
    return SaveChoice{*path, type};
}

void ScriptedDesktop::error_box(const QString& text, const QString& title) {
    messages.push_back({QStringLiteral("error"), text, title});
    note("error_box");
}

bool ScriptedDesktop::ask_yes_no(const QString& text, const QString& title) {
    messages.push_back({QStringLiteral("question"), text, title});
    note("ask");
    if (yes_no_answers.empty()) return false;
    const bool a = yes_no_answers.front();
    yes_no_answers.pop_front();
    return a;
}

void ScriptedDesktop::end_program() {
    ended = true;
    note("end_program");
}

bool ScriptedDesktop::open_url(const QUrl& url) {
    opened_urls.push_back(url);
    note("open_url");
    return url_opens;
}
