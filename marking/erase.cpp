// Erasing the last mark (stepping the clip back to its frame) and erasing all marks.
#include <QLineEdit>
#include <QPushButton>

#include "mainwindow/form1.h"
#include "video/transport.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

void Form1::Cmd_Reset_Click() {
    AnalysisState& s = state();
    const int n = s.mark_count;
    if (n < 1) {
        Text1->clear();
        Text2->clear();
        return;
    }
    if (earlier_edition()) {
        manual_erase_last();
        return;
    }
    // Check the wait before anything changes, so a refused erase leaves everything as it was.
    if (step_frames > 0 && !transport_->read_step_wait()) return;
    const auto un = static_cast<std::size_t>(n);
    Picture2->set_draw_mode(PictureBox::kXorPen);
    draw_ruler_markers(mark_cx[un], mark_cy[un], pal::kBrightWhite, pal::kLightYellow);
    Text1->setText(format_number(s.pos_x[un - 1], "##0.00"));
    Text2->setText(format_number(s.pos_y[un - 1], "##0.00"));
    Picture3->cls();
    transport_->read_step_wait(true);
    transport_->step_times(step_frames, "step avfile reverse");
    refresh_canvas(1, static_cast<std::int16_t>(n - 1));
    s.mark_count = static_cast<std::int16_t>(n - 1);
    if (s.mark_count == 0) {
        Text1->clear();
        Text2->clear();
    }
}

void Form1::Command6_Click() {
    if (earlier_edition()) frames_since_mark = 0;
    Picture2->cls();
    Picture3->cls();
    Picture2->set_draw_mode(PictureBox::kCopyPen);
    Picture3->set_draw_mode(PictureBox::kCopyPen);
    // The earlier edition leaves the canvas empty until the next transfer.
    if (!earlier_edition()) refresh_canvas(1, 0);
    state().mark_count = 0;
    draw_rulers();
    Text1->clear();
    Text2->clear();
    Cmd_Xchange->setEnabled(true);
    Cmd_Ychange->setEnabled(true);
}
