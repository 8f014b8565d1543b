// The main window's start, its controls, its two public methods, the exit and the button
// states after every event that changes them.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QCoreApplication>
#include <QShowEvent>
#include <array>
#include <functional>
#include <stdexcept>

#include "tests/support/form1_fixture.h"
#include "platform/twips.h"

namespace {

struct Placement {
    const char* name;
    int left, top, width, height;  // twips
};

// Design positions, relative to the client area, or to Frame1 for the four controls in it.
const Placement kPlacements[] = {
    {"Label1", 360, 120, 3975, 255},        {"Picture1", 480, 600, 4800, 3600},
    {"HScroll1", 1080, 5040, 3015, 375},    {"Cmd_巻き戻し", 1080, 5760, 1095, 495},
    {"Command2", 2160, 5760, 975, 495},     {"Command1", 3120, 5760, 975, 495},
    {"Command4", 1200, 6480, 975, 495},     {"Label2", 2280, 6600, 855, 495},
    {"Command3", 3000, 6480, 975, 495},     {"Label8", 4920, 4560, 855, 375},
    {"Text4", 4920, 5025, 615, 270},        {"Label9", 5640, 5040, 255, 255},
    {"Frame1", 4680, 5640, 1575, 1335},     {"Option1", 240, 360, 255, 180},
    {"Label4", 600, 360, 855, 255},         {"Option2", 240, 720, 255, 375},
    {"Label6", 600, 840, 735, 255},         {"Cmd_trans", 6600, 0, 1215, 495},
    {"Label7", 8040, 120, 1215, 375},       {"Text3", 9360, 0, 495, 375},
    {"Picture3", 6000, 600, 4800, 3600},    {"Picture2", 6000, 600, 5550, 4350},
    {"Cmd_Length2", 7200, 5160, 1575, 495}, {"Label3", 9600, 5280, 615, 495},
    {"Text1", 10200, 5160, 615, 375},       {"Label5", 9600, 5880, 855, 495},
    {"Text2", 10200, 5760, 615, 375},       {"Cmd_Reset", 6840, 5880, 1215, 495},
    {"Command6", 8040, 5880, 1215, 495},    {"Cmd_vt", 6840, 6600, 1215, 495},
    {"Cmd_st", 8040, 6600, 1215, 495},      {"Cmd_Xchange", 10200, 6360, 1335, 375},
    {"Cmd_Ychange", 10200, 6720, 1335, 375},
};

struct Caption {
    const char* name;
    const char* text;
};

const Caption kCaptions[] = {
    {"Cmd_巻き戻し", "巻き戻し"}, {"Command2", "一時停止"},   {"Command1", "再生"},
    {"Command4", "コマ戻し"},     {"Command3", "コマ送り"},   {"Label8", "コマ送り　調整時間"},
    {"Text4", "400"},             {"Label9", "ms"},           {"Label4", "1/30秒"},
    {"Label6", "1/15秒"},         {"Cmd_trans", "画像転送→"}, {"Label7", "送りコマ数"},
    {"Text3", "2"},               {"Cmd_Length2", "長さの設定"}, {"Label3", "ｘ座標"},
    {"Label5", "ｙ座標"},         {"Cmd_Reset", "マーク消去"}, {"Command6", "全マーク消去"},
    {"Cmd_vt", "v-tグラフ"},      {"Cmd_st", "x,y-tグラフ"},  {"Cmd_Xchange", "Ｘ軸の向き変更"},
    {"Cmd_Ychange", "Ｙ軸の向き変更"}, {"Label1", ""},        {"Label2", ""},
    {"Text1", ""},                {"Text2", ""},
};

QString text_of(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return QStringLiteral("<no text>");
}

}  // namespace

class Form1Start : public Form1Test {
protected:
    QWidget* control(const char* name) {
        auto* w = f->findChild<QWidget*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

TEST_F(Form1Start, ControlsSitAtTheirDesignPositionsInPixels) {
    for (const Placement& p : kPlacements) {
        QWidget* w = control(p.name);
        if (!w) continue;
        EXPECT_EQ(w->geometry(), QRect(twips_to_px(p.left), twips_to_px(p.top),
                                       twips_to_px(p.width), twips_to_px(p.height)))
            << p.name;
    }
    EXPECT_EQ(control("Option1")->parentWidget(), f->Frame1);
    EXPECT_EQ(control("Label6")->parentWidget(), f->Frame1);
    // Text4 (5025, 270 twips) does not fall on whole pixels.
    EXPECT_EQ(f->Text4->geometry(), QRect(328, 335, 41, 18));
}

TEST_F(Form1Start, CaptionsAndStartTexts) {
    for (const Caption& c : kCaptions) {
        if (QWidget* w = control(c.name)) {
            EXPECT_EQ(text_of(w), QString::fromUtf8(c.text)) << c.name;
        }
    }
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ビデオによる運動の分析 ") + QChar(0x3000) + QChar(0x3000));
    EXPECT_EQ(f->Frame1->title(), QStringLiteral("１コマあたりの時間"));
    EXPECT_EQ(f->mnufile->title(), QStringLiteral("ﾌｧｲﾙ（&F）"));
    const QList<QAction*> items = f->mnufile->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), QStringLiteral("開く(&O)"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("閉じる(&C)"));
    EXPECT_EQ(items[2]->text(), QStringLiteral("終了(&X)"));
}

TEST_F(Form1Start, OnlyTheAxisButtonsAreEnabled) {
    const char* names[] = {"Cmd_巻き戻し", "Command1", "Command2", "Command3", "Command4",
                           "Command6", "HScroll1", "Cmd_trans", "Cmd_Length2", "Cmd_Reset",
                           "Cmd_vt", "Cmd_st", "Cmd_Xchange", "Cmd_Ychange"};
    for (const char* name : names) {
        const bool axis = QString::fromUtf8(name).endsWith(QStringLiteral("change"));
        if (QWidget* w = control(name)) {
            EXPECT_EQ(w->isEnabled(), axis) << name;
        }
    }
}

TEST_F(Form1Start, StartValuesAndSizes) {
    EXPECT_TRUE(f->Option1->isChecked());
    EXPECT_FALSE(f->Option2->isChecked());
    EXPECT_FALSE(f->Timer1->isActive());
    EXPECT_EQ(f->Timer1->interval(), 100);
    EXPECT_EQ(f->HScroll1->minimum(), 0);
    EXPECT_EQ(f->HScroll1->singleStep(), 1);
    EXPECT_EQ(f->HScroll1->pageStep(), 1);
    EXPECT_TRUE(f->CommonDialog1.cancel_error);
    EXPECT_EQ(QSize(f->Picture1->outer_width(), f->Picture1->outer_height()), QSize(320, 240));
    EXPECT_EQ(QSize(f->Picture2->outer_width(), f->Picture2->outer_height()), QSize(370, 290));
    EXPECT_EQ(QSize(f->Picture3->outer_width(), f->Picture3->outer_height()), QSize(320, 240));
    EXPECT_FALSE(f->x_from_left);
    EXPECT_FALSE(f->y_from_top);
    EXPECT_FALSE(f->marking_enabled);
    EXPECT_EQ(f->canvas_w, 316);
    EXPECT_EQ(f->canvas_h, 236);
    const AnalysisState& s = state();
    EXPECT_EQ(s.frame_time, static_cast<float>(1.0 / 30.0));
    EXPECT_EQ(s.frame_time_label, "1/30秒");
    EXPECT_EQ(s.mark_count, 0);
    EXPECT_EQ(s.calib_clicks, 0);
    EXPECT_FALSE(s.calib_mode);
    EXPECT_TRUE(svc.commands.empty());
}

TEST_F(Form1Start, StartResetsWhatAnEarlierRunLeft) {
    state().mark_count = 7;
    state().calib_mode = true;
    state().frame_time = 1.0f / 15.0f;
    Form1 again;
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_FALSE(state().calib_mode);
    EXPECT_EQ(state().frame_time_label, "1/30秒");
}

TEST_F(Form1Test, CmdEnabledReadsGeneralValuesAsBooleans) {
    struct Case {
        QVariant b1, b2;
        bool play, rest;
    };
    const Case cases[] = {
        {true, false, true, false},
        {false, true, false, true},
        {QVariant(-1), QVariant(0), true, false},  // the stored flag values
        {QVariant(0), QVariant(-1), false, true},
        {true, true, true, true},
        {false, false, false, false},
    };
    for (const Case& c : cases) {
        f->cmd_enabled(c.b1, c.b2);
        EXPECT_EQ(f->Command1->isEnabled(), c.play);
        for (QWidget* w : {static_cast<QWidget*>(f->Command2), static_cast<QWidget*>(f->Command3),
                           static_cast<QWidget*>(f->Command4), static_cast<QWidget*>(f->Command6),
                           static_cast<QWidget*>(f->HScroll1)})
            EXPECT_EQ(w->isEnabled(), c.rest) << w->objectName().toStdString();
        EXPECT_FALSE(f->Cmd_Reset->isEnabled());  // not one of its controls
    }
}

TEST_F(Form1Test, WindXywhSplitsFourNumbers) {
    struct Case {
        const char* text;
        double xs, ys, w, h;
    };
    const Case cases[] = {
        {"0 0 320 240", 0, 0, 320, 240},
        {"12 -3 640 480", 12, -3, 640, 480},
        {"1.5 2 3 4 trailing", 1.5, 2, 3, 4},
        {"x y 320 240", 0, 0, 320, 240},  // a piece that is not a number reads as 0
    };
    for (const Case& c : cases) {
        double xs = -9, ys = -9, w = -9, h = -9;
        f->wind_xywh(QString::fromLatin1(c.text), xs, ys, w, h);
        EXPECT_EQ(xs, c.xs) << c.text;
        EXPECT_EQ(ys, c.ys) << c.text;
        EXPECT_EQ(w, c.w) << c.text;
        EXPECT_EQ(h, c.h) << c.text;
    }
}

TEST_F(Form1Test, WindXywhThrowsOnFewerThanThreeBlanks) {
    for (const char* text : {"", "320", "0 0 320", "エラー"}) {
        double xs = 0, ys = 0, w = 0, h = 0;
        EXPECT_THROW(f->wind_xywh(QString::fromUtf8(text), xs, ys, w, h), std::runtime_error)
            << text;
    }
}

TEST_F(Form1Test, ExitClosesTheClipAndEndsTheProgram) {
    f->mnuend->trigger();
    EXPECT_EQ(svc.commands, std::vector<std::string>{"close avfile"});
    EXPECT_EQ(journal, (std::vector<std::string>{"close avfile", "end_program"}));
    EXPECT_EQ(desk.beeps, 0);
}

TEST_F(Form1Test, ExitWhenTheCloseFailsOnlyBeeps) {
    svc.answer("close avfile", 263, "");
    f->mnuend_Click();
    EXPECT_EQ(desk.beeps, 1);
    EXPECT_TRUE(desk.messages.empty());
    EXPECT_TRUE(desk.ended);
}

TEST_F(Form1Test, CloseBoxRunsTheExit) {
    f->close();
    EXPECT_EQ(svc.commands, std::vector<std::string>{"close avfile"});
    EXPECT_TRUE(desk.ended);
}

// Button states after each event, from a chosen earlier state; '-' columns of the state table
// are checked by starting from a state where the control is on.
namespace {
enum Col { kPlay, kTransport, kRewind, kMarkButtons, kTrans, kLength, kAxes, kCols };
using States = std::array<bool, kCols>;

struct StateCase {
    const char* event;
    std::function<void(Form1Test&, Form1&)> run;
    States expected;
};
}  // namespace

class ButtonStates : public Form1Test {
public:
    void open() { open_clip(); }
    void play() { f->Command1_Click(); }

protected:
    States read() const {
        const bool transport = f->Command2->isEnabled();
        for (QWidget* w : {static_cast<QWidget*>(f->Command3), static_cast<QWidget*>(f->Command4),
                           static_cast<QWidget*>(f->Command6), static_cast<QWidget*>(f->HScroll1)})
            EXPECT_EQ(w->isEnabled(), transport) << w->objectName().toStdString();
        const bool marks = f->Cmd_Reset->isEnabled();
        EXPECT_EQ(f->Cmd_vt->isEnabled(), marks);
        EXPECT_EQ(f->Cmd_st->isEnabled(), marks);
        EXPECT_EQ(f->Cmd_Ychange->isEnabled(), f->Cmd_Xchange->isEnabled());
        return {f->Command1->isEnabled(), transport, f->Cmd_makimodoshi->isEnabled(), marks,
                f->Cmd_trans->isEnabled(), f->Cmd_Length2->isEnabled(), f->Cmd_Xchange->isEnabled()};
    }
};

TEST_F(ButtonStates, AfterEveryEvent) {
    auto as = [](Form1Test& t) -> ButtonStates& { return static_cast<ButtonStates&>(t); };
    const StateCase cases[] = {
        {"open cancelled at start", [](Form1Test&, Form1& w) { w.mnuopen_Click(); },
         {true, false, false, false, false, false, true}},
        {"open cancelled while playing",
         [&](Form1Test& t, Form1& w) { as(t).open(); as(t).play(); w.mnuopen_Click(); },
         {true, false, false, false, true, true, true}},
        {"open", [&](Form1Test& t, Form1&) { as(t).open(); },
         {true, false, false, false, false, false, true}},
        {"open while playing", [&](Form1Test& t, Form1&) { as(t).open(); as(t).play(); as(t).open(); },
         {true, false, false, false, true, true, true}},
        {"play", [&](Form1Test& t, Form1&) { as(t).open(); as(t).play(); },
         {true, true, true, true, true, true, true}},
        {"close while playing",
         [&](Form1Test& t, Form1& w) { as(t).open(); as(t).play(); w.mnuclose_Click(); },
         {false, false, false, false, false, true, true}},
        {"pause after open", [&](Form1Test& t, Form1& w) { as(t).open(); w.Command2_Click(); },
         {true, false, false, false, true, false, true}},
        {"erase all while playing",
         [&](Form1Test& t, Form1& w) { as(t).open(); as(t).play(); w.Command6_Click(); },
         {true, true, true, true, true, true, true}},
    };
    for (const StateCase& c : cases) {
        f = std::make_unique<Form1>();
        f->Form_Activate();
        c.run(*this, *f);
        EXPECT_EQ(read(), c.expected) << c.event;
    }
}

TEST_F(Form1Test, FirstShowingDrawsTheRulersWhenNoActivationComes) {
    Form1 bare;  // no window manager: nothing reports an activation
    EXPECT_EQ(bare.canvas_w, 0);
    QShowEvent show;
    QCoreApplication::sendEvent(&bare, &show);
    EXPECT_EQ(bare.canvas_w, 316);
    EXPECT_EQ(bare.canvas_h, 236);
    EXPECT_EQ(bare.Picture2->pixel_at(312, 249), kBlackRgb);
}
