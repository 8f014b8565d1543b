#pragma once

class Form1;

// Connects Kinvora's windows to one another: the main window's graph buttons to the graph
// windows, and the graph windows' table buttons to the table windows; gives the main window
// its length dialog and the keeping of its work (work files, recovery, recent files, drops).
void wire_kinvora_windows(Form1& main_window);
