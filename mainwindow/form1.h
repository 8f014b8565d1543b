#pragma once
#include <QMainWindow>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/lazy_window.h"
#include "state/analysis_state.h"
#include "state/flag.h"

class LengthDialog;
class PictureBox;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

// The file dialog as the main window keeps it: its settings stay between uses.
struct CommonDialog {
    bool cancel_error = false;  // Cancel is reported to the caller as a failure
    QString filter;
    QString file_name;
};

// Kinvora is the full program; Kelmaro, its earlier edition, counts frames by hand, has no
// length calibration and no frame interval choice, and lays the window out differently.
enum class Edition { Kinvora, Kelmaro };

// The edition of this run, chosen once at start-up; the main window is made in it.
Edition program_edition();
void set_program_edition(Edition edition);

// The main window: video area and transport on the left, marking canvas, rulers and the
// marking, calibration, axis and graph buttons on the right, and the file menu.
// Its handlers are defined in the folders that own each behaviour: mainwindow/ (start, end,
// button states), video/ (open, close, transport), marking/ (canvas, rulers, marks,
// calibration, axes, erasing).
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Edition edition = program_edition());
    ~Form1() override;

    const Edition edition;
    bool earlier_edition() const { return edition == Edition::Kelmaro; }

    // Controls, each also named by its objectName. The earlier edition lacks Label4, Label6 to
    // Label9, Text3, Text4, Frame1, Option1, Option2 and Cmd_Length2: those stay nullptr.
    QLabel* Label1 = nullptr;
    PictureBox* Picture1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QPushButton* Cmd_makimodoshi = nullptr;  // objectName "Cmd_巻き戻し"
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLabel* Label9 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QLabel* Label4 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Cmd_trans = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text3 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture2 = nullptr;
    QPushButton* Cmd_Length2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Cmd_Reset = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Cmd_vt = nullptr;
    QPushButton* Cmd_st = nullptr;
    QPushButton* Cmd_Xchange = nullptr;
    QPushButton* Cmd_Ychange = nullptr;
    QTimer* Timer1 = nullptr;
    CommonDialog CommonDialog1;
    QMenu* mnufile = nullptr;
    QAction* mnuopen = nullptr;
    QAction* mnuclose = nullptr;
    QAction* mnuend = nullptr;

    // Private state of the window, open to the tests.
    std::int16_t step_wait_ms = 0;
    std::int16_t step_frames = 0;
    std::int16_t canvas_w = 0;
    std::int16_t canvas_h = 0;
    Array101<float> mark_cx{};
    Array101<float> mark_cy{};
    Flag x_from_left;
    Flag y_from_top;
    Flag marking_enabled;
    std::int16_t frames_since_mark = 0;  // earlier edition: frames stepped by hand since a mark

    // What opens the graph windows, and the length-setting dialog; set by the program's edition.
    std::function<void()> open_vt_graph;
    std::function<void()> open_st_graph;
    LengthDialog* length_dialog = nullptr;

    // Start, activation and end.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void mnuend_Click();

    void cmd_enabled(const QVariant& b1, const QVariant& b2);
    // The buttons as they stand at start, after a clip was opened, or after it was closed.
    enum class ClipButtons { AtStart, Opened, Closed };
    void apply_clip_buttons(ClipButtons clip);
    // Splits "X Y W H"; throws std::runtime_error when the text has fewer than three blanks.
    void wind_xywh(const QString& a, double& xs, double& ys, double& w, double& h);

    // Opening and closing a clip.
    void mnuopen_Click();
    void mnuclose_Click();
    // Opens the clip at `path` by the same steps and with the same messages as the file menu,
    // as if the file dialog had returned it: how a clip named at start is opened.
    void open_clip(const QString& path);

    // Transport.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Cmd_makimodoshi_Click();
    void HScroll1_Scroll();
    void Timer1_Timer();
    void Option1_Click();
    void Option2_Click();
    // Sends one step command inside the paced wait on the tick counter.
    void wait_for_tick_change(const std::string& command);

    // Canvas and rulers.
    void refresh_canvas(std::int16_t first, std::int16_t last);
    void draw_rulers();

    // Frame capture and marking.
    void Cmd_trans_Click();
    void Picture3_MouseDown(int button, int shift, float x, float y);
    void advance_after_mark();

    // Length calibration.
    void Cmd_Length2_Click();
    void calibration_click(float x, float y);

    // Axis directions and erasing.
    void Cmd_Xchange_Click();
    void Cmd_Ychange_Click();
    void Cmd_Reset_Click();
    void Command6_Click();

    // Graph buttons.
    void Cmd_vt_Click();
    void Cmd_st_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void build_controls();
    // The two halves of opening a clip, around the file dialog.
    void clear_for_open();
    void open_chosen_clip(const QString& path);
    void build_menu();
    void connect_handlers();
    // The two markers of a mark on the rulers, in the strip's current pen mode: a disc under
    // the canvas at the mark's x and one right of it at the mark's y (palette colours).
    void draw_ruler_markers(float cx, float cy, int bottom_colour, int right_colour);
    // A disc of radius 3 filled and outlined in one palette colour.
    static void disc(PictureBox* box, double x, double y, int colour);
    // Reads Text4 as the step wait; unless quiet, says why when it cannot pace steps.
    bool read_step_wait(bool quiet = false);
    // Reads Text3 as the frames per step; says why and returns false when it is unusable.
    bool read_step_frames();
    void step_times(int count, const std::string& command);
    void build_earlier_edition_controls(QWidget* client);

    // What the earlier edition does in place of the paced steps, marking and erasing.
    void manual_step(const std::string& command, int frames);
    void manual_mark(float x, float y);
    void manual_erase_last();
    // Records a mark at (x, y): its disc on the canvas and markers on the rulers, its canvas
    // position, its position in ruler units and, times `scale`, in metres, the frames since the
    // mark before, and the two coordinate texts.
    void record_mark(float x, float y, float scale, std::int16_t frames);
    // Says so and returns true when the MarkTable has no room for another mark.
    bool table_is_full();

    bool ending_ = false;
    bool shown_ = false;
};

LazyWindow<Form1>& form1();
