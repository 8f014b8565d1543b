#include "mediaservice/command_words.h"

#include <cctype>
#include <limits>

std::vector<std::string> split_command(std::string_view command) {
    std::vector<std::string> words;
    size_t i = 0;
    const auto blank = [&](size_t k) { return command[k] == ' ' || command[k] == '\t'; };
    while (i < command.size()) {
        while (i < command.size() && blank(i)) ++i;
        if (i >= command.size()) break;
        std::string word;
        if (command[i] == '"') {
            const size_t end = command.find('"', i + 1);
            const size_t stop = end == std::string_view::npos ? command.size() : end;
            word.assign(command.substr(i + 1, stop - i - 1));
            i = stop == command.size() ? stop : stop + 1;
        } else {
            const size_t start = i;
            while (i < command.size() && !blank(i)) ++i;
            word.assign(command.substr(start, i - start));
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool is_word(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(word[i])) !=
            std::tolower(static_cast<unsigned char>(keyword[i])))
            return false;
    }
    return true;
}

std::optional<std::int64_t> parse_integer(std::string_view word) {
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) negative = word[i++] == '-';
    if (i >= word.size()) return std::nullopt;
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return std::nullopt;
        if (value > kLimit) return std::nullopt;
        value = value * 10 + (word[i] - '0');
    }
    return negative ? -value : value;
}

namespace {
int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

std::string percent_decode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 &&
            hex_value(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}
