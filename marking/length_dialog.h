#pragma once
#include <QString>

// What the main window needs of the length-setting dialog. The full program supplies it; the
// earlier edition has no such dialog.
class LengthDialog {
  public:
    virtual ~LengthDialog() = default;
    // Empties the length box, making the dialog (hidden) if it does not exist yet, and forgets
    // the length last set.
    virtual void clear_length() = 0;
    // The length typed when the dialog last set the scale (empty when it was closed empty);
    // kept after the dialog closes, so that a work file can keep it.
    virtual QString last_length() const = 0;
    virtual void set_last_length(const QString& text) = 0;
    // Shows the dialog without making it modal, making it first if need be.
    virtual void show_modeless() = 0;
    // The one call after each calibration click: the dialog stays open, its text unchanged.
    virtual void keep_in_view() = 0;
};
