#include "marking/form4.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "marking/length_dialog.h"
#include "platform/desktop.h"
#include "platform/number_text.h"
#include "platform/twips.h"
#include "state/analysis_state.h"

LazyWindow<Form4>& form4() {
    static LazyWindow<Form4> instance;
    return instance;
}

namespace {
class Form4LengthDialog : public LengthDialog {
  public:
    void clear_length() override {
        form4()->Text1->clear();
        last_length_.clear();
    }
    QString last_length() const override { return last_length_; }
    void set_last_length(const QString& text) override { last_length_ = text; }
    void show_modeless() override {
        Form4& dialog = form4().get();
        dialog.show();
        dialog.raise();
    }
    void keep_in_view() override { form4()->keep_in_view(); }

  private:
    QString last_length_;
};
}  // namespace

LengthDialog& form4_length_dialog() {
    static Form4LengthDialog dialog;
    return dialog;
}

Form4::Form4() {
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("長さの設定"));
    setFixedSize(twips_to_px(4545), twips_to_px(1110));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    // The ideographic blanks push the second sentence onto the label's second line.
    Label1->setText(QStringLiteral("右の画面上の２点をクリックして，") +
                    QString(14, QChar(0x3000)) +
                    QStringLiteral("その実際の長さを下に入力してください。"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place_twips(Label1, 120, 120, 4335, 615);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    place_twips(Text1, 1080, 600, 615, 375);
    Label2 = new QLabel(QStringLiteral("cｍ"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place_twips(Label2, 1800, 720, 615, 375);
    Cmd_close = new QPushButton(QStringLiteral("閉じる"), this);
    Cmd_close->setObjectName(QStringLiteral("Cmd_close"));
    place_twips(Cmd_close, 3240, 480, 1095, 495);
    connect(Cmd_close, &QPushButton::clicked, this, [this] { Cmd_close_Click(); });
}

bool Form4::set_scale_from_length() {
    AnalysisState& s = state();
    const QString text = Text1->text();
    if (text.trimmed().isEmpty()) {
        s.scale_m_per_unit = 1.0f;
        return true;
    }
    const std::optional<double> length_cm = parse_decimal(text);
    if (!length_cm || *length_cm <= 0) {
        desktop().error_box(
            QStringLiteral("長さには 0 より大きい数（cm）を入力してください。"
                           "目盛りの単位のままにするときは空にして閉じてください。"),
            program_name());
        return false;
    }
    if (!(s.calib_unit_len > 0.0f) || !std::isfinite(s.calib_unit_len)) {
        desktop().error_box(QStringLiteral("長さの分かる２点を、右の画面上で順にクリックしてから"
                                           "閉じてください（同じ点を２回クリックすると長さが 0 に"
                                           "なります）。"),
                            program_name());
        return false;
    }
    const auto scale = static_cast<float>((*length_cm / 100.0) / s.calib_unit_len);
    if (!std::isfinite(scale) || !(scale > 0.0f)) {
        desktop().error_box(
            QStringLiteral("この長さでは縮尺を決められません。値を確かめてください。"),
            program_name());
        return false;
    }
    s.scale_m_per_unit = scale;
    return true;
}

void Form4::Cmd_close_Click() {
    if (!set_scale_from_length()) return;
    form4_length_dialog().set_last_length(Text1->text());
    state().calib_mode = false;
    unload_window(this);
}

void Form4::keep_in_view() {
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (!isVisible()) show();
    raise();
}

void Form4::closeEvent(QCloseEvent* event) {
    // The close box ends the calibration like the button; a length that cannot give a scale
    // keeps the dialog open.
    event->ignore();
    Cmd_close_Click();
}
