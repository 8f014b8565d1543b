#pragma once
#include <QMainWindow>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "marking/marking_window.h"
#include "platform/lazy_window.h"
#include "state/analysis_state.h"

class AxisDirections;
class Calibration;
class Canvas;
class ClipFiles;
class Erasing;
class FrameTiming;
class Marking;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class Transport;

// Kinvora is the full program; Kelmaro, its earlier edition, counts frames by hand, has no
// length calibration and no frame interval choice, and lays the window out differently.
enum class Edition { Kinvora, Kelmaro };

// The edition of this run, chosen once at start-up; the main window is made in it.
Edition program_edition();
void set_program_edition(Edition edition);

// The main window: video area and transport on the left, marking canvas, rulers and the
// marking, calibration, axis and graph buttons on the right, and the file menu.
// It keeps start, end and the button states; its other handlers forward to the collaborators
// it owns: the transport and the clip files (video/); the canvas and rulers, marking,
// calibration, axis directions and erasing (marking/).
class Form1 : public QMainWindow, public MarkingWindow {
    Q_OBJECT
  public:
    explicit Form1(Edition edition = program_edition());
    ~Form1() override;

    const Edition edition;
    bool earlier_edition() const override { return edition == Edition::Kelmaro; }

    // Controls besides those in VideoWindow, each also named by its objectName. The earlier
    // edition lacks Label4, Label6 to Label9 and Frame1: those stay nullptr.
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* Command6 = nullptr;
    QMenu* mnufile = nullptr;
    QAction* mnuopen = nullptr;
    QAction* mnuclose = nullptr;
    QAction* mnuend = nullptr;

    // What opens the graph windows; set by the program's edition.
    std::function<void()> open_vt_graph;
    std::function<void()> open_st_graph;

    // Start, activation and end.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void mnuend_Click();

    void cmd_enabled(const QVariant& b1, const QVariant& b2) override;
    void apply_clip_buttons(ClipButtons clip) override;
    void wind_xywh(const QString& a, double& xs, double& ys, double& w, double& h) override;

    // Opening and closing a clip.
    void mnuopen_Click();
    void mnuclose_Click();
    // Opens the clip at `path` by the same steps and with the same messages as the file menu,
    // as if the file dialog had returned it: how a clip named at start is opened.
    void open_clip(const QString& path) override;

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
    void Option3_Click();
    void Text5_Change();
    void choose_frame_interval(IntervalChoice choice, const QString& capture_rate) override;
    // Sends one step command inside the paced wait on the tick counter.
    void wait_for_tick_change(const std::string& command);

    // Canvas and rulers.
    void refresh_canvas(std::int16_t first, std::int16_t last) override;
    void draw_rulers() override;

    // Frame capture and marking.
    void Cmd_trans_Click();
    void Picture3_MouseDown(int button, int shift, float x, float y);
    void advance_after_mark();
    // A mark at (x, y) as the marking click makes it; whether it was recorded.
    bool mark_at(float x, float y) override;

    // Length calibration.
    void Cmd_Length2_Click();
    void calibration_click(float x, float y);
    void reset_calibration() override;

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
    void build_menu();
    void connect_handlers();
    void build_earlier_edition_controls(QWidget* client);

    // The collaborators the handlers forward to; each sees the window as a VideoWindow or a
    // MarkingWindow.
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<FrameTiming> timing_;
    std::unique_ptr<ClipFiles> clip_files_;
    std::unique_ptr<Canvas> canvas_;
    std::unique_ptr<Calibration> calibration_;
    std::unique_ptr<AxisDirections> axes_;
    std::unique_ptr<Erasing> erasing_;
    std::unique_ptr<Marking> marking_;

    bool ending_ = false;
    bool shown_ = false;
};

LazyWindow<Form1>& form1();
