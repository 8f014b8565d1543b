// The command layer: the reply buffer, numbers in commands and replies, the blank-free path,
// and the reply-less send.
#include <QDir>
#include <QUrl>

#include "mediaservice/ffmpeg_media_service.h"
#include "mediaservice/media_errors.h"

#include "tests/support/form1_fixture.h"

namespace {

TEST(VideoCommand, ReplyBufferRules) {
    struct Case {
        int code;
        std::string reply, error_text;
        std::string expected;  // the caller's reply, which starts as "caller"
    };
    const std::string k255(255, 'a'), k256(256, 'b');
    std::string kLongJapanese;
    for (int i = 0; i < 200; ++i) kLongJapanese += "開";
    const Case cases[] = {
        {0, "320", "", "320"},
        {0, std::string("12\0 34", 6), "", "12"},  // cut at the first NUL
        {0, k255, "", k255},
        {0, k256, "", "caller"},  // no NUL in the buffer: the caller's text stays
        {0, k256 + "cc", "", "caller"},
        {277, "ignored", "再生できません", "再生できません"},
        {277, k256, "短い", "短い"},
        {5, "", k256, "caller"},
        // The buffer counts characters: 200 Japanese characters (600 bytes) still fit.
        {9, "", kLongJapanese, kLongJapanese},
    };
    ScriptedDesktop desk;
    ScopedDesktop scoped(desk);
    ScriptedMediaService svc;
    set_video_service(&svc);
    for (const Case& c : cases) {
        desk.beeps = 0;
        svc.answer("status", c.code, c.reply);
        svc.error_texts[c.code] = c.error_text;
        std::string reply = "caller";
        EXPECT_EQ(video_command("status avfile position", reply), c.code);
        EXPECT_EQ(reply, c.expected) << c.reply.substr(0, 10) << " " << c.code;
        EXPECT_EQ(desk.beeps, c.code != 0 ? 1 : 0);
        // The reply-less form sends the same command and beeps the same way.
        desk.beeps = 0;
        svc.answer("stop", c.code, c.reply);
        send_video("stop avfile");
        EXPECT_EQ(svc.commands.back(), "stop avfile");
        EXPECT_EQ(desk.beeps, c.code != 0 ? 1 : 0);
    }
    set_video_service(nullptr);
}

TEST(VideoCommand, NumbersInCommandsAndReplies) {
    EXPECT_EQ("seek avfile to " + signed_blank(0), "seek avfile to  0");
    EXPECT_EQ(signed_blank(320) + signed_blank(-7), " 320-7");
    EXPECT_EQ(plain_number(123456789), "123456789");
    const std::pair<const char*, std::optional<std::int16_t>> replies[] = {
        {"250", 250},       {"  42 frames", 42}, {"12.5", 12},
        {"13.5", 14},       {"abc", 0},          {"", 0},
        {"-32768", -32768}, {"32767", 32767},    {"32767.5", std::nullopt}};
    for (const auto& [reply, value] : replies) EXPECT_EQ(reply_to_int16(reply), value) << reply;
}

TEST(VideoCommand, ShortPathHasNoBlankAndDecodesToThePath) {
    QTemporaryDir dir;
    const std::pair<const char*, const char*> names[] = {{"plain-name_1.avi", "/plain-name_1.avi"},
                                                         {"with blank.avi", "/with%20blank.avi"},
                                                         {"100%.avi", "/100%25.avi"},
                                                         {"動画.avi", "/%E5%8B%95%E7%94%BB.avi"},
                                                         {"a+b&c'.avi", "/a%2Bb%26c%27.avi"}};
    for (const auto& [name, encoded] : names) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const std::string sp = short_path(file.fileName());
        EXPECT_TRUE(sp.ends_with(encoded)) << sp;
        EXPECT_EQ(sp.find(' '), std::string::npos);
        EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(sp)), file.fileName());
    }
    EXPECT_EQ(short_path(dir.filePath(QStringLiteral("missing.avi"))), "");
}

// The real service after failed opens: each reply names that open's own cause, however long
// the path, and never what the command before it said.
TEST(VideoCommand, EveryFailedOpenRepliesWithItsOwnCause) {
    ScriptedDesktop desk;
    ScopedDesktop scoped(desk);
    FfmpegMediaService service;
    set_video_service(&service);
    QTemporaryDir dir;
    QString deep = dir.path();
    for (int k = 0; k < 3; ++k) deep += "/" + QString(80, QChar(u'ビ'));
    QDir().mkpath(deep);
    const QString empty = deep + "/空.avi";
    const QString text = deep + "/メモ.avi";
    for (const QString& file : {empty, text}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        if (file == text) out.write("ただのテキスト\n");
    }
    const struct {
        QString path;
        int code;
        QString ends;  // the end of the reply: the file, when it names one
    } cases[] = {
        {empty, kEmptyFile, "空.avi）"},
        {text, kNotVideoFile, "メモ.avi）"},
        {empty, kEmptyFile, "空.avi）"},
        {deep + "/" + QString(300, QChar(u'a')) + ".avi", kPathTooLong, ""},
    };
    for (const auto& c : cases) {
        const std::string path = c.code == kPathTooLong ? c.path.toStdString() : short_path(c.path);
        std::string reply = "caller";
        EXPECT_EQ(video_command("open " + path + " alias avfile style child", reply), c.code);
        const QString shown = QString::fromStdString(reply);
        EXPECT_TRUE(shown.startsWith(QString::fromStdString(media_error_text(c.code)))) << reply;
        EXPECT_TRUE(shown.endsWith(c.ends)) << reply;
    }
    set_video_service(nullptr);
}

}  // namespace
