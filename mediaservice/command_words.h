#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The words of a command: separated by one or more blanks or tabs; a word in double quotes
// may hold blanks.
std::vector<std::string> split_command(std::string_view command);

// Case-insensitive comparison of a word with an ASCII keyword.
bool is_word(std::string_view word, std::string_view keyword);

// A whole decimal integer with an optional sign; nothing else in the word.
std::optional<std::int64_t> parse_integer(std::string_view word);

// Undoes the percent-encoding of a path: %XX (hex) becomes that byte; a '%' not followed by
// two hex digits stays as it is, so a plain path passes unchanged.
std::string percent_decode(std::string_view text);
