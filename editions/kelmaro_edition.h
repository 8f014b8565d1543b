#pragma once

class Form1;

// What makes the program Kelmaro, the earlier edition: its name on message boxes, the main
// window of the earlier edition and the graph settings in ruler units. Called once at start,
// before the main window is made.
void choose_kelmaro_edition();

// The main window's graph buttons open the graph windows; Kelmaro has no tables.
void wire_kelmaro_windows(Form1& main_window);
