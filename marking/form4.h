#pragma once
#include <QWidget>

#include "platform/lazy_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The length-setting dialog: the user clicks two points on the canvas, types their real
// distance in centimetres here and closes it, which sets the length scale.
class Form4 : public QWidget {
    Q_OBJECT
  public:
    Form4();

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Cmd_close = nullptr;

    // Ends the calibration and sets the scale; when the typed length or the clicked pair
    // cannot give a scale, says why and stays open in calibration mode.
    void Cmd_close_Click();
    // Shows the dialog above the main window without taking the focus from it.
    void keep_in_view();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool set_scale_from_length();
};

LazyWindow<Form4>& form4();

class LengthDialog;
// The main window's view of this dialog.
LengthDialog& form4_length_dialog();
