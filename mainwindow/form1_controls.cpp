// The main window's controls at their fixed positions in twips, its menu, and the wiring of every
// control to its handler.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "mainwindow/form1.h"
#include "mainwindow/wrapping_button.h"
#include "platform/picture_box.h"
#include "platform/twips_control.h"

namespace {
template <class Button = QPushButton>
QPushButton* button(QWidget* p, const char* name, const char* caption, double l, double t, double w,
                    double h) {
    auto* b = make_twips_control<Button>(p, name, l, t, w, h);
    b->setText(QString::fromUtf8(caption));
    return b;
}

QLabel* label(QWidget* p, const char* name, const char* caption, double l, double t, double w,
              double h) {
    auto* c = make_twips_control<QLabel>(p, name, l, t, w, h);
    c->setText(QString::fromUtf8(caption));
    c->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c->setWordWrap(true);
    return c;
}

QLineEdit* text_box(QWidget* p, const char* name, const char* text, double l, double t, double w,
                    double h) {
    auto* c = make_twips_control<QLineEdit>(p, name, l, t, w, h);
    c->setText(QString::fromUtf8(text));
    // A text the program writes into a narrow box shows from its beginning, not its end.
    QObject::connect(c, &QLineEdit::textChanged, c, [c] {
        if (!c->hasFocus()) c->setCursorPosition(0);
    });
    return c;
}
}  // namespace

void Form1::build_controls() {
    setWindowTitle(QStringLiteral("ビデオによる運動の分析 \u3000\u3000"));
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    QWidget* c = client;

    Label1 = label(c, "Label1", "", 360, 120, 3975, 255);
    Label1->setWordWrap(false);
    Picture1 = make_twips_control<PictureBox>(c, "Picture1", 480, 600, 4800, 3600);
    Picture1->set_back_color(palette().color(QPalette::Window).darker(110));
    HScroll1 = make_twips_control<QScrollBar>(c, "HScroll1", 1080, 5040, 3015, 375);
    HScroll1->setOrientation(Qt::Horizontal);
    HScroll1->setMinimum(0);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    Cmd_makimodoshi = button(c, "Cmd_巻き戻し", "巻き戻し", 1080, 5760, 1095, 495);
    Command2 = button(c, "Command2", "一時停止", 2160, 5760, 975, 495);
    Command1 = button(c, "Command1", "再生", 3120, 5760, 975, 495);
    Command4 = button(c, "Command4", "コマ戻し", 1200, 6480, 975, 495);
    Label2 = label(c, "Label2", "", 2280, 6600, 855, 495);
    Label2->setWordWrap(false);
    Command3 = button(c, "Command3", "コマ送り", 3000, 6480, 975, 495);
    Label8 = label(c, "Label8", "コマ送り　調整時間", 4920, 4560, 855, 375);
    Text4 = text_box(c, "Text4", "400", 4920, 5025, 615, 270);
    Label9 = label(c, "Label9", "ms", 5640, 5040, 255, 255);
    Frame1 = make_twips_control<QGroupBox>(c, "Frame1", 4680, 5640, 1575, 1335);
    Frame1->setTitle(QStringLiteral("１コマあたりの時間"));
    Option1 = make_twips_control<QRadioButton>(Frame1, "Option1", 240, 360, 255, 180);
    Label4 = label(Frame1, "Label4", "1/30秒", 600, 360, 855, 255);
    Option2 = make_twips_control<QRadioButton>(Frame1, "Option2", 240, 720, 255, 375);
    Label6 = label(Frame1, "Label6", "1/15秒", 600, 840, 735, 255);
    Option1->setChecked(true);
    // The clip's own timing, below the two fixed intervals, with the capture rate of a
    // slow-motion clip and a line on the timing in force under the frame. They show only while
    // a clip is open that has a timing of its own to offer (FrameTiming).
    Option3 = make_twips_control<QRadioButton>(Frame1, "Option3", 240, 1110, 255, 180);
    Label10 = label(Frame1, "Label10", "", 600, 1095, 915, 240);
    Label11 = label(c, "Label11", "撮影時のコマ数/秒", 4680, 7155, 1650, 255);
    Text5 = text_box(c, "Text5", "", 6330, 7125, 615, 270);
    Label12 = label(c, "Label12", "", 4680, 7455, 7200, 255);
    Label12->setWordWrap(false);
    // In the earlier edition this button is tall and narrow: its caption runs down it.
    Cmd_trans = button<WrappingButton>(c, "Cmd_trans", "画像転送→", 6600, 0, 1215, 495);
    Label7 = label(c, "Label7", "送りコマ数", 8040, 120, 1215, 375);
    Text3 = text_box(c, "Text3", "2", 9360, 0, 495, 375);
    // The ruler strip lies under the canvas; only its right and bottom margins show.
    Picture2 = make_twips_control<PictureBox>(c, "Picture2", 6000, 600, 5550, 4350);
    Picture2->set_back_color(Qt::white);
    Picture3 = make_twips_control<PictureBox>(c, "Picture3", 6000, 600, 4800, 3600);
    Picture3->set_back_color(Qt::white);
    Picture3->raise();
    Cmd_Length2 = button(c, "Cmd_Length2", "長さの設定", 7200, 5160, 1575, 495);
    Label3 = label(c, "Label3", "ｘ座標", 9600, 5280, 615, 495);
    Text1 = text_box(c, "Text1", "", 10200, 5160, 615, 375);
    Label5 = label(c, "Label5", "ｙ座標", 9600, 5880, 855, 495);
    Text2 = text_box(c, "Text2", "", 10200, 5760, 615, 375);
    Cmd_Reset = button(c, "Cmd_Reset", "マーク消去", 6840, 5880, 1215, 495);
    Command6 = button(c, "Command6", "全マーク消去", 8040, 5880, 1215, 495);
    Cmd_vt = button(c, "Cmd_vt", "v-tグラフ", 6840, 6600, 1215, 495);
    Cmd_st = button(c, "Cmd_st", "x,y-tグラフ", 8040, 6600, 1215, 495);
    Cmd_Xchange = button(c, "Cmd_Xchange", "Ｘ軸の向き変更", 10200, 6360, 1335, 375);
    Cmd_Ychange = button(c, "Cmd_Ychange", "Ｙ軸の向き変更", 10200, 6720, 1335, 375);
    // Why the last click on the canvas recorded no mark, under the marking buttons.
    Label13 = label(c, "Label13", "", 6990, 7155, 5160, 255);
    Label13->setWordWrap(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    if (earlier_edition()) build_earlier_edition_controls(c);
}

// The earlier edition has no step boxes, frame interval or calibration, and places the rest
// elsewhere.
void Form1::build_earlier_edition_controls(QWidget* /*client*/) {
    auto drop = [](auto*& control) {
        delete control;
        control = nullptr;
    };
    drop(Text3);
    drop(Text4);
    drop(Label7);
    drop(Label8);
    drop(Label9);
    drop(Cmd_Length2);
    drop(Frame1);  // with the option buttons and their labels inside it
    Option1 = Option2 = Option3 = nullptr;
    Label4 = Label6 = Label10 = nullptr;
    drop(Label11);
    drop(Text5);
    drop(Label12);
    drop(Label13);
    const struct {
        QWidget* control;
        double left, top, width, height;
    } places[] = {
        {Command4, 1920, 4440, 975, 495},         {Command3, 2880, 4440, 975, 495},
        {Label2, 3960, 4440, 975, 495},           {HScroll1, 1320, 5280, 3015, 375},
        {Cmd_makimodoshi, 1320, 6000, 1095, 495}, {Command2, 2400, 6000, 975, 495},
        {Command1, 3360, 6000, 975, 495},         {Cmd_trans, 5400, 840, 495, 3255},
        {Cmd_Xchange, 6720, 0, 1815, 495},        {Cmd_Ychange, 8760, 0, 1695, 495},
        {Cmd_Reset, 6480, 5400, 1215, 495},       {Command6, 7680, 5400, 1215, 495},
        {Label3, 9600, 5520, 615, 495},           {Text1, 10200, 5400, 615, 375},
        {Cmd_vt, 6480, 6120, 1215, 495},          {Cmd_st, 7680, 6120, 1215, 495},
        {Label5, 9600, 6120, 855, 495},           {Text2, 10200, 6000, 615, 375},
    };
    for (const auto& p : places) place_twips(p.control, p.left, p.top, p.width, p.height);
}

void Form1::build_menu() {
    mnufile = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ（&F）"));
    mnufile->setObjectName(QStringLiteral("mnufile"));
    mnuopen = mnufile->addAction(QStringLiteral("開く(&O)"));
    mnuopen->setObjectName(QStringLiteral("mnuopen"));
    mnuclose = mnufile->addAction(QStringLiteral("閉じる(&C)"));
    mnuclose->setObjectName(QStringLiteral("mnuclose"));
    mnuend = mnufile->addAction(QStringLiteral("終了(&X)"));
    mnuend->setObjectName(QStringLiteral("mnuend"));
}

void Form1::connect_handlers() {
    connect(mnuopen, &QAction::triggered, this, [this] { mnuopen_Click(); });
    connect(mnuclose, &QAction::triggered, this, [this] { mnuclose_Click(); });
    connect(mnuend, &QAction::triggered, this, [this] { mnuend_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Cmd_makimodoshi, &QPushButton::clicked, this, [this] { Cmd_makimodoshi_Click(); });
    // Only a drag of the thumb seeks; arrow and track clicks just move the bar.
    connect(HScroll1, &QScrollBar::sliderMoved, this, [this] { HScroll1_Scroll(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    if (Option1) connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    if (Option2) connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    if (Option3) connect(Option3, &QRadioButton::clicked, this, [this] { Option3_Click(); });
    if (Text5) connect(Text5, &QLineEdit::textEdited, this, [this] { Text5_Change(); });
    connect(Cmd_trans, &QPushButton::clicked, this, [this] { Cmd_trans_Click(); });
    connect(Picture3, &PictureBox::mouse_down, this,
            [this](int b, int s, float x, float y) { Picture3_MouseDown(b, s, x, y); });
    if (Cmd_Length2)
        connect(Cmd_Length2, &QPushButton::clicked, this, [this] { Cmd_Length2_Click(); });
    connect(Cmd_Xchange, &QPushButton::clicked, this, [this] { Cmd_Xchange_Click(); });
    connect(Cmd_Ychange, &QPushButton::clicked, this, [this] { Cmd_Ychange_Click(); });
    connect(Cmd_Reset, &QPushButton::clicked, this, [this] { Cmd_Reset_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Cmd_vt, &QPushButton::clicked, this, [this] { Cmd_vt_Click(); });
    connect(Cmd_st, &QPushButton::clicked, this, [this] { Cmd_st_Click(); });
}
