#pragma once

class QWidget;

// A window of the program is activated when it becomes the program's active window: the
// first time, and each time the user comes to it from another window of the program. When
// the program only regains the focus from another application, with this window still its
// active one, the window system reports an activation too; that one is not the window's.
// Dialogs and message boxes are not windows of the program in this sense: coming back from
// one of them is no activation either.

// Starts following the activations of every window of the program (once; later calls do
// nothing). Must run before the first activation that is asked about.
void watch_program_activation();

// Whether the activation the window is receiving now makes it the program's active window.
bool becomes_program_active(const QWidget* window);
