#include "tools/mediactl_session.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>

#include "mediaservice/media_errors.h"

#include "mediaservice/ffmpeg_media_service.h"
#include "tests/mediaservice/test_clips.h"
#include "tools/frame_pattern.h"

namespace {

TEST(Mediactl, AnswersEveryLineWithCodeAndOneLineReply) {
    FfmpegMediaService service;
    MediactlSession session(service);
    const std::string clip = small_clip(20, "mediactl.avi");
    const std::string png = temp_path("frame 5.png");
    const struct {
        std::string line;
        std::string answer;
    } script[] = {
        {":save \"" + png + "\"", "260 クリップが開かれていません。"},
        {"open \"" + clip + "\" alias clip", "0 "},
        {"where clip source", "0 0 0 160 120"},
        {"seek clip to 5", "0 "},
        {":save \"" + png + "\"", "0 " + png},
        {":save /no/such/folder/x.png", "400 画像を書き込めません（/no/such/folder/x.png）"},
        {":save", "258 コマンドに必要な語が足りません。"},
        {":save \"" + temp_path("nul.png") + std::string(1, '\0') + ".txt\"",
         std::to_string(kBadPath) + " " + media_error_text(kBadPath)},
        {"status clip position", "0 5"},
        {"jump clip", "257 不明なコマンドです。（jump）"},
    };
    for (const auto& step : script) EXPECT_EQ(session.answer(step.line), step.answer) << step.line;
    EXPECT_FALSE(session.quit);
    EXPECT_FALSE(std::filesystem::exists(temp_path("nul.png")));
    const QImage saved(QString::fromStdString(png));
    EXPECT_EQ(saved.size(), QSize(160, 120));
    EXPECT_EQ(read_frame_number(saved), 5);
    // A portrait phone clip is saved upright, at its displayed size.
    const std::vector<ClipKind> kinds = clip_kinds();
    const auto portrait = std::find_if(kinds.begin(), kinds.end(), [](const ClipKind& k) {
        return std::string(k.name) == "h264_mp4_portrait";
    });
    if (portrait == kinds.end()) GTEST_SKIP() << "no H.264 encoder";
    const std::string upright = numbered_clip(portrait->format, "mediactl_portrait.mp4");
    EXPECT_EQ(session.answer("open \"" + upright + "\" alias p"), "0 ");
    EXPECT_EQ(session.answer("seek p to 9"), "0 ");
    EXPECT_EQ(session.answer(":save \"" + png + "\""), "0 " + png);
    const QImage turned(QString::fromStdString(png));
    EXPECT_EQ(turned.size(), QSize(108, 192));
    EXPECT_EQ(read_frame_number(turned), 9);
    EXPECT_EQ(session.answer(":quit"), "0 ");
    EXPECT_TRUE(session.quit);
}

}  // namespace
