// The main window's start, its controls, its two public methods, the exit and the button
// states after every event that changes them.
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QShowEvent>
#include <array>
#include <functional>
#include <stdexcept>

#include <QMessageBox>
#include "platform/twips.h"

#include "tests/support/form1_fixture.h"

namespace {

const std::vector<ControlPlace> kControls = {
    {"Label1", 360, 120, 3975, 255, ""},
    {"Picture1", 480, 600, 4800, 3600, nullptr},
    {"HScroll1", 1080, 5040, 3015, 375, nullptr},
    {"Cmd_巻き戻し", 1080, 5760, 1095, 495, "巻き戻し"},
    {"Command2", 2160, 5760, 975, 495, "一時停止"},
    {"Command1", 3120, 5760, 975, 495, "再生"},
    {"Command4", 1200, 6480, 975, 495, "コマ戻し"},
    {"Label2", 2280, 6600, 855, 495, ""},
    {"Command3", 3000, 6480, 975, 495, "コマ送り"},
    {"Label8", 4920, 4560, 855, 375, "コマ送り　調整時間"},
    {"Text4", 4920, 5025, 615, 270, "400"},
    {"Label9", 5640, 5040, 255, 255, "ms"},
    {"Frame1", 4680, 5640, 1575, 1335, nullptr},
    {"Option1", 240, 360, 255, 180, nullptr},
    {"Label4", 600, 360, 855, 255, "1/30秒"},
    {"Option2", 240, 720, 255, 375, nullptr},
    {"Label6", 600, 840, 735, 255, "1/15秒"},
    {"Cmd_trans", 6600, 0, 1215, 495, "画像転送→"},
    {"Label7", 8040, 120, 1215, 375, "送りコマ数"},
    {"Text3", 9360, 0, 495, 375, "2"},
    {"Picture3", 6000, 600, 4800, 3600, nullptr},
    {"Picture2", 6000, 600, 5550, 4350, nullptr},
    {"Cmd_Length2", 7200, 5160, 1575, 495, "長さの設定"},
    {"Label3", 9600, 5280, 615, 495, "ｘ座標"},
    {"Text1", 10200, 5160, 615, 375, ""},
    {"Label5", 9600, 5880, 855, 495, "ｙ座標"},
    {"Text2", 10200, 5760, 615, 375, ""},
    {"Cmd_Reset", 6840, 5880, 1215, 495, "マーク消去"},
    {"Command6", 8040, 5880, 1215, 495, "全マーク消去"},
    {"Cmd_vt", 6840, 6600, 1215, 495, "v-tグラフ"},
    {"Cmd_st", 8040, 6600, 1215, 495, "x,y-tグラフ"},
    {"Cmd_Xchange", 10200, 6360, 1335, 375, "Ｘ軸の向き変更"},
    {"Cmd_Ychange", 10200, 6720, 1335, 375, "Ｙ軸の向き変更"},
};

TEST_F(Form1Test, ControlsStartInPlaceWithTheirTextsAndOnlyTheAxisButtonsEnabled) {
    for (QWidget* w : expect_controls_in_place(*f, kControls)) {
        const QByteArray name = w->objectName().toUtf8();
        const bool input = qobject_cast<QAbstractButton*>(w) || qobject_cast<QScrollBar*>(w);
        const bool radio = qobject_cast<QRadioButton*>(w);
        if (input && !radio) {
            EXPECT_EQ(w->isEnabled(), name.endsWith("change")) << name.constData();
        }
    }
    EXPECT_EQ(f->Text4->geometry(), QRect(328, 335, 41, 18));  // twips that are not whole pixels
    EXPECT_EQ(f->Option1->parentWidget(), f->Frame1);
    EXPECT_EQ(f->windowTitle(),
              QStringLiteral("ビデオによる運動の分析 ") + QChar(0x3000) + QChar(0x3000));
    EXPECT_EQ(f->Frame1->title(), QStringLiteral("１コマあたりの時間"));
    QStringList menu{f->mnufile->title()};
    for (QAction* a : f->mnufile->actions()) menu << a->text();
    EXPECT_EQ(menu, (QStringList{"ﾌｧｲﾙ（&F）", "開く(&O)", "閉じる(&C)", "終了(&X)"}));
}

// The start resets what an earlier window left in the analysis state.
TEST_F(Form1Test, StartValues) {
    f.reset();
    AnalysisState& s = state();
    s.frame_time = 1.0f / 15.0f;
    s.frame_time_label = "1/15秒";
    s.mark_count = 7;
    s.calib_clicks = 3;
    s.calib_mode = true;
    f = std::make_unique<Form1>();
    EXPECT_EQ(s.mark_count, 0);
    EXPECT_EQ(s.calib_clicks, 0);
    EXPECT_FALSE(s.calib_mode);
    EXPECT_TRUE(f->Option1->isChecked());
    EXPECT_FALSE(f->Option2->isChecked());
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 100);
    EXPECT_EQ(f->HScroll1->singleStep() + f->HScroll1->pageStep(), 2);
    EXPECT_TRUE(f->CommonDialog1.cancel_error);
    EXPECT_EQ(f->Picture2->size(), QSize(370, 290));
    EXPECT_FALSE(f->x_from_left || f->y_from_top || f->marking_enabled);
    EXPECT_EQ(state().frame_time, static_cast<float>(1.0 / 30.0));
    EXPECT_EQ(state().frame_time_label, "1/30秒");
    EXPECT_TRUE(svc.commands.empty());
}

TEST_F(Form1Test, FirstShowingDrawsTheRulersWhenNoActivationComes) {
    Form1 bare;  // without a window manager nothing reports an activation
    EXPECT_EQ(bare.canvas_w, 0);
    QShowEvent show;
    QCoreApplication::sendEvent(&bare, &show);
    EXPECT_EQ(bare.canvas_w, 316);
    EXPECT_EQ(bare.canvas_h, 236);
    EXPECT_EQ(bare.Picture2->pixel_at(312, 249), kBlackRgb);
}

TEST_F(Form1Test, OnlyAReturnFromAnotherWindowOfTheProgramActivates) {
    const auto activate = [](QWidget& window) {
        QEvent e(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &e);
    };
    const auto rulers_drawn = [this] { return f->Picture2->pixel_at(312, 249) == kBlackRgb; };
    QWidget graph_window;
    QMessageBox message_box;
    activate(graph_window);
    f->Picture2->cls();
    activate(*f);
    EXPECT_TRUE(rulers_drawn()) << "back from another window of the program";
    f->Picture2->cls();
    activate(*f);
    EXPECT_FALSE(rulers_drawn()) << "back from another application";
    activate(message_box);
    activate(*f);
    EXPECT_FALSE(rulers_drawn()) << "back from a message box or a file dialog";
    activate(graph_window);
    activate(*f);
    EXPECT_TRUE(rulers_drawn());
}

TEST_F(Form1Test, ANumberWrittenIntoANarrowBoxShowsFromItsBeginning) {
    f->Text1->setText(QStringLiteral("1.3875"));
    EXPECT_EQ(f->Text1->cursorPosition(), 0);
}

TEST_F(Form1Test, CmdEnabledReadsGeneralValuesAsBooleans) {
    const std::array<QVariant, 4> b1{true, false, -1, 0}, b2{false, true, 0, -1};
    for (std::size_t i = 0; i < b1.size(); ++i) {
        f->cmd_enabled(b1[i], b2[i]);
        EXPECT_EQ(f->Command1->isEnabled(), i % 2 == 0);
        for (QWidget* w : std::initializer_list<QWidget*>{f->Command2, f->Command3, f->Command4,
                                                          f->Command6, f->HScroll1})
            EXPECT_EQ(w->isEnabled(), i % 2 == 1) << i;
    }
}

TEST_F(Form1Test, WindXywhSplitsFourNumbersOrThrows) {
    double v[4];
    f->wind_xywh(QStringLiteral("0 0 320 240"), v[0], v[1], v[2], v[3]);
    EXPECT_EQ(std::vector<double>(v, v + 4), (std::vector<double>{0, 0, 320, 240}));
    f->wind_xywh(QStringLiteral("1.5 -3 x 480 trailing"), v[0], v[1], v[2], v[3]);
    EXPECT_EQ(std::vector<double>(v, v + 4), (std::vector<double>{1.5, -3, 0, 480}));
    for (const char* text : {"", "320", "0 0 320", "エラー"})
        EXPECT_THROW(f->wind_xywh(QString::fromUtf8(text), v[0], v[1], v[2], v[3]),
                     std::runtime_error);
}

TEST_F(Form1Test, ExitClosesTheClipAndEndsEvenWhenTheCloseFails) {
    f->mnuend->trigger();
    EXPECT_EQ(journal, (Commands{"close avfile", "end_program"}));
    Form1 other;
    svc.answer("close avfile", 263);
    other.close();  // the close box
    EXPECT_EQ(journal,
              (Commands{"close avfile", "end_program", "close avfile", "beep", "end_program"}));
    EXPECT_TRUE(desk.messages.empty());
}

// Button states after each event. Columns: play; pause, steps, erase all and the bar; rewind;
// erase mark and the graphs; transfer; length; axes. Unchanged columns are checked by starting
// from a state where they are on.
using States = std::string;  // one '1' or '0' a column

class ButtonStates : public Form1Test {
  protected:
    States read() const {
        for (QWidget* w :
             std::initializer_list<QWidget*>{f->Command3, f->Command4, f->Command6, f->HScroll1})
            EXPECT_EQ(w->isEnabled(), f->Command2->isEnabled());
        EXPECT_EQ(f->Cmd_vt->isEnabled() && f->Cmd_st->isEnabled(), f->Cmd_Reset->isEnabled());
        EXPECT_EQ(f->Cmd_Ychange->isEnabled(), f->Cmd_Xchange->isEnabled());
        States out;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 f->Command1, f->Command2, f->Cmd_makimodoshi, f->Cmd_Reset, f->Cmd_trans,
                 f->Cmd_Length2, f->Cmd_Xchange})
            out += w->isEnabled() ? '1' : '0';
        return out;
    }
};

TEST_F(ButtonStates, AfterEveryEvent) {
    const auto open = [this] { open_clip(); };
    const auto play = [this] { f->Command1_Click(); };
    const auto cancel = [this] { f->mnuopen_Click(); };
    struct Case {
        const char* event;
        std::vector<std::function<void()>> steps;
        States expected;
    };
    const Case cases[] = {
        {"open cancelled at start", {cancel}, "1000001"},
        {"open cancelled while playing", {open, play, cancel}, "1000111"},
        {"open", {open}, "1000001"},
        {"open while playing", {open, play, open}, "1000111"},
        {"play", {open, play}, "1111111"},
        {"close", {open, play, [this] { f->mnuclose_Click(); }}, "0000011"},
        {"pause", {open, [this] { f->Command2_Click(); }}, "1000101"},
        {"erase all", {open, play, [this] { f->Command6_Click(); }}, "1111111"},
    };
    for (const Case& c : cases) {
        f = std::make_unique<Form1>();
        for (const auto& step : c.steps) step();
        EXPECT_EQ(read(), c.expected) << c.event;
    }
}

}  // namespace
