#pragma once

// While a handler keeps the user-interface thread busy (the paced steps that move the clip on
// after a mark), what the user does waits in the window system's queue. Mouse presses among it
// were aimed at a picture that is no longer shown: this delivers everything that waited and
// drops the mouse presses and double clicks on the way. The rest (keys, releases, repaints,
// timers) is handled as usual.
void drop_waiting_mouse_presses();
