#pragma once
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

#include "state/flag.h"

class ClipWork;
class PictureBox;
class QLabel;
class QLineEdit;
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

// What the transport and the clip files see of the main window: the controls they drive, the
// step and mark fields they set, and what the window does for them (its button states, the
// canvas and the rulers, the length calibration). The main window implements it.
class VideoWindow {
  public:
    // Controls, each also named by its objectName. The earlier edition lacks Text3, Text4,
    // Cmd_Length2, the frame interval choice and the notes: those stay nullptr.
    QLabel* Label1 = nullptr;
    PictureBox* Picture1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QPushButton* Cmd_makimodoshi = nullptr;  // objectName "Cmd_巻き戻し"
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QRadioButton* Option1 = nullptr;  // 1/30 s
    QRadioButton* Option2 = nullptr;  // 1/15 s
    QRadioButton* Option3 = nullptr;  // the clip's own timing, captioned by Label10
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;   // caption of Text5
    QLineEdit* Text5 = nullptr;  // frames per second when the clip was filmed
    QLabel* Label12 = nullptr;   // what the clip's timing in force is
    QLabel* Label13 = nullptr;   // why a click on the canvas recorded no mark
    QPushButton* Cmd_trans = nullptr;
    QLineEdit* Text3 = nullptr;
    PictureBox* Picture3 = nullptr;
    PictureBox* Picture2 = nullptr;
    QPushButton* Cmd_Length2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Cmd_Reset = nullptr;
    QPushButton* Cmd_vt = nullptr;
    QPushButton* Cmd_st = nullptr;
    QPushButton* Cmd_Xchange = nullptr;
    QPushButton* Cmd_Ychange = nullptr;
    QTimer* Timer1 = nullptr;
    CommonDialog CommonDialog1;

    // Private state of the window, open to the tests.
    std::int16_t step_wait_ms = 0;
    std::int16_t step_frames = 0;
    Flag marking_enabled;
    std::int16_t frames_since_mark = 0;  // earlier edition: frames stepped by hand since a mark
    // The frame the canvas picture shows, as the video service told when it painted it;
    // nothing when it did not tell or the canvas holds no picture of the clip.
    std::optional<std::int32_t> canvas_frame;

    virtual bool earlier_edition() const = 0;
    virtual void cmd_enabled(const QVariant& b1, const QVariant& b2) = 0;
    // The buttons as they stand at start, after a clip was opened, or after it was closed.
    enum class ClipButtons { AtStart, Opened, Closed };
    virtual void apply_clip_buttons(ClipButtons clip) = 0;
    // Splits "X Y W H"; throws std::runtime_error when the text has fewer than three blanks.
    virtual void wind_xywh(const QString& a, double& xs, double& ys, double& w, double& h) = 0;
    // The current frame on the canvas with the marks `first` to `last` on it.
    virtual void refresh_canvas(std::int16_t first, std::int16_t last) = 0;
    virtual void draw_rulers() = 0;
    // Back to the ruler's own unit, out of calibration, with an empty length box.
    virtual void reset_calibration() = 0;
    // Opens the clip at `path` by the same steps and with the same messages as the file menu,
    // as if the file dialog had returned it.
    virtual void open_clip(const QString& path) = 0;
    // The frame interval choice as the user leaves it: 1/30 s, 1/15 s, or the clip's own
    // timing (offered whenever the clip tells it), with 撮影時のコマ数/秒 as typed.
    enum class IntervalChoice { k1_30, k1_15, kClip };
    virtual void choose_frame_interval(IntervalChoice choice, const QString& capture_rate) = 0;

    // What keeps the work on the clip, set by the program's edition; the earlier edition has
    // none.
    ClipWork* clip_work = nullptr;

  protected:
    VideoWindow() = default;
    ~VideoWindow() = default;
};
