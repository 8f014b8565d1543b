#pragma once
#include <QStringList>

#include "editions/program_start.h"
#include "mainwindow/help_menu.h"

// What the version box of a program says: its names, version and licence, and the libraries
// it runs with.
ProgramAbout program_about(const ProgramEdition& program);

// The libraries both programs run with, each as "name version", read from the libraries at run
// time: a library updated since the build shows its own version.
QStringList library_versions();
