// The command layer: the reply buffer, the number formats inside commands, replies read as
// numbers, and the blank-free path form of the open command.
#include <QUrl>

#include "tests/support/form1_fixture.h"

namespace {

struct ReplyCase {
    const char* what;
    int code;
    std::string reply;       // what the service answers
    std::string error_text;  // the service's text for the code
    std::string expected;    // the caller's reply afterwards; it starts as "caller"
    int beeps;
};

std::ostream& operator<<(std::ostream& os, const ReplyCase& c) { return os << c.what; }

class VideoCommand : public ::testing::TestWithParam<ReplyCase> {
protected:
    VideoCommand() { set_video_service(&svc); }
    ~VideoCommand() override { set_video_service(nullptr); }
    ScriptedDesktop desk;
    ScopedDesktop scoped_{desk};
    ScriptedMediaService svc;
};

const std::string k255(255, 'a');
const std::string k256(256, 'b');

INSTANTIATE_TEST_SUITE_P(
    ReplyBuffer, VideoCommand,
    ::testing::Values(
        ReplyCase{"plain reply", 0, "320", "", "320", 0},
        ReplyCase{"empty reply", 0, "", "", "", 0},
        ReplyCase{"cut at the first NUL", 0, std::string("12\0 34", 6), "", "12", 0},
        ReplyCase{"255 characters fit", 0, k255, "", k255, 0},
        ReplyCase{"256 characters leave the caller's text", 0, k256, "", "caller", 0},
        ReplyCase{"longer still", 0, k256 + "cc", "", "caller", 0},
        ReplyCase{"failure gives the error text", 277, "ignored", "再生できません", "再生できません", 1},
        ReplyCase{"failure after a long reply", 277, k256, "短い", "短い", 1},
        ReplyCase{"failure with an error text that fills the buffer", 5, "", k256, "caller", 1}),
    [](const auto& param_info) { return "case" + std::to_string(param_info.index); });

TEST_P(VideoCommand, FillsTheReplyAsTheBufferRulesSay) {
    const ReplyCase& c = GetParam();
    svc.answer("status avfile", c.code, c.reply);
    svc.error_texts[c.code] = c.error_text;
    std::string reply = "caller";
    EXPECT_EQ(video_command("status avfile position", reply), c.code) << c.what;
    EXPECT_EQ(reply, c.expected) << c.what;
    EXPECT_EQ(desk.beeps, c.beeps) << c.what;
    EXPECT_EQ(svc.commands, std::vector<std::string>{"status avfile position"});
}

TEST(VideoCommandWithoutService, FailsWithABeepAndAText) {
    ScriptedDesktop desk;
    ScopedDesktop scoped(desk);
    set_video_service(nullptr);
    std::string reply;
    EXPECT_NE(video_command("play avfile window", reply), 0);
    EXPECT_EQ(desk.beeps, 1);
    EXPECT_FALSE(reply.empty());
}

TEST(CommandNumbers, PlainAndSignedBlank) {
    EXPECT_EQ(signed_blank(0), " 0");
    EXPECT_EQ(signed_blank(320), " 320");
    EXPECT_EQ(signed_blank(-7), "-7");
    EXPECT_EQ(plain_number(0), "0");
    EXPECT_EQ(plain_number(123456789), "123456789");
    EXPECT_EQ("seek avfile to " + signed_blank(0), "seek avfile to  0");
}

TEST(ReplyToInt16, LeadingNumberNearestHalvesToEven) {
    struct Case {
        const char* reply;
        std::optional<std::int16_t> value;
    };
    const Case cases[] = {
        {"250", 250},     {"  42 frames", 42}, {"12.5", 12},      {"13.5", 14},
        {"-2.5", -2},     {"abc", 0},          {"", 0},           {"エラー 263", 0},
        {"32767", 32767}, {"-32768", -32768},  {"32767.5", std::nullopt}, {"40000", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(reply_to_int16(c.reply), c.value) << c.reply;
}

class ShortPath : public ::testing::Test {
protected:
    QString make(const QString& name) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(ShortPath, EncodesEveryByteThatCouldSplitTheCommand) {
    struct Case {
        const char* name;
        const char* encoded_name;
    };
    const Case cases[] = {
        {"plain-name_1.avi", "plain-name_1.avi"},
        {"with blank.avi", "with%20blank.avi"},
        {"100%.avi", "100%25.avi"},
        {"動画.avi", "%E5%8B%95%E7%94%BB.avi"},
        {"a+b&c'.avi", "a%2Bb%26c%27.avi"},
    };
    for (const Case& c : cases) {
        const QString path = make(QString::fromUtf8(c.name));
        const std::string sp = short_path(path);
        EXPECT_EQ(sp.find(' '), std::string::npos) << c.name;
        EXPECT_TRUE(sp.ends_with(std::string("/") + c.encoded_name)) << sp;
        EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(sp)),
                  QFileInfo(path).absoluteFilePath())
            << c.name;
    }
}

TEST_F(ShortPath, EmptyForAMissingFile) {
    EXPECT_EQ(short_path(dir.filePath(QStringLiteral("missing.avi"))), "");
    EXPECT_EQ(short_path(QString()), "");
}

}  // namespace
