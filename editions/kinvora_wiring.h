#pragma once
#include "editions/program_start.h"

class Form1;

// Connects Kinvora's windows to one another: the main window's graph buttons to the graph
// windows, and the graph windows' table buttons to the table windows; gives the main window
// its length dialog and the keeping of its work (work files, recovery, recent files, drops);
// and adds the tracking assistant to the main window.
void wire_kinvora_windows(Form1& main_window);

// Kinvora: its name on message boxes, the full program's main window, its wiring, and OpenCV
// in its version box.
const ProgramEdition& kinvora_program();
