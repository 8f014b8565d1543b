#pragma once
#include <QString>
#include <QStringList>

#include "mainwindow/form1.h"

// What tells the two programs apart at start: the name on their message boxes, the edition
// the main window is made in, and how their windows are connected to one another.
struct ProgramEdition {
    QString name;
    Edition edition;
    void (*wire_windows)(Form1& main_window);
    // The libraries that only this program runs with, as its version box lists them.
    QStringList (*own_libraries)() = nullptr;
};

// Gives the program its name and edition, makes the main window, connects the program's
// windows to it and adds the help menu. The main window is not shown yet.
Form1& start_main_window(const ProgramEdition& program);

// The whole life of either program: the application, the video service, the main window
// (opening the file named on the command line, if any) and the event loop.
int run_program(int argc, char** argv, const ProgramEdition& program);

// The file named on the command line (the application's arguments, the program first), as a
// full path; the empty text when none is named. Arguments after the first are ignored.
QString clip_argument(const QStringList& arguments);

// Opens the file named on the command line in the main window, as the file menu would: a
// clip, or in the full program a work file as 作業を開く opens it.
void open_clip_argument(Form1& main_window, const QStringList& arguments);
