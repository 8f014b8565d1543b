#pragma once
#include <QPushButton>

// A push button whose caption breaks onto further lines, between any two characters, when it
// is wider than the button: a tall, narrow button shows its caption running down it. The
// caption itself stays the text it was given.
class WrappingButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
