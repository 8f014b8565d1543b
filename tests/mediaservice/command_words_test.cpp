#include "mediaservice/command_words.h"

#include <gtest/gtest.h>

TEST(CommandWords, SplitsOnRunsOfBlanksAndKeepsQuotedWords) {
    using V = std::vector<std::string>;
    EXPECT_EQ(split_command("put avfile destination at 0 0  320  240"),
              (V{"put", "avfile", "destination", "at", "0", "0", "320", "240"}));
    EXPECT_EQ(split_command("  seek\tavfile to  0  "), (V{"seek", "avfile", "to", "0"}));
    EXPECT_EQ(split_command("open \"/a b/c.avi\" alias v"),
              (V{"open", "/a b/c.avi", "alias", "v"}));
    EXPECT_EQ(split_command("open \"/unterminated"), (V{"open", "/unterminated"}));
    EXPECT_TRUE(split_command("   ").empty());
}

TEST(CommandWords, IntegersAreWholeWordsWithinRange) {
    const struct {
        const char* word;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"0", 0},         {"-5", -5},  {"+7", 7},   {"320", 320}, {"", {}},
        {"-", {}},        {"12a", {}}, {"1.5", {}}, {"0x10", {}}, {"99999999999999999999999", {}},
        {"40000", 40000},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_integer(c.word), c.value) << c.word;
}

TEST(CommandWords, PercentDecodingRestoresBytesAndLeavesStrayPercents) {
    EXPECT_EQ(percent_decode("/tmp/a%20b%25.avi"), "/tmp/a b%.avi");
    EXPECT_EQ(percent_decode("/tmp/%E5%8B%95%E7%94%BB.avi"), "/tmp/動画.avi");
    EXPECT_EQ(percent_decode("/tmp/100%"), "/tmp/100%");
    EXPECT_EQ(percent_decode("/tmp/%zz%4"), "/tmp/%zz%4");
    EXPECT_EQ(percent_decode("%e3%81%82"), "あ");
}

TEST(CommandWords, KeywordsIgnoreCase) {
    EXPECT_TRUE(is_word("REVERSE", "reverse"));
    EXPECT_FALSE(is_word("reverses", "reverse"));
}
