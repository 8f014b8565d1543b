#pragma once

class QWidget;

// While a handler keeps the user-interface thread busy (the paced steps that move the clip on
// after a mark), what the user does waits in the window system's queue. Mouse presses among it
// were aimed at a picture that is no longer shown: this delivers everything that waited and
// drops the mouse presses and double clicks on the way, except those on a widget that keeps
// them (below). The rest (keys, releases, repaints, timers) is handled as usual.
void drop_waiting_mouse_presses();

// Whether presses on `widget` (or inside it) are delivered even when they waited: a button
// that stops what keeps the thread busy must hear a press made meanwhile.
void keep_waiting_presses(QWidget* widget, bool keep);
