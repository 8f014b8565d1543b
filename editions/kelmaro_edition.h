#pragma once
#include "editions/program_start.h"

// Kelmaro, the earlier edition: its name on message boxes, the earlier edition's main window,
// graphs in ruler units at a fixed 1/30 s, and graph buttons that open the graph windows
// (Kelmaro has no tables).
const ProgramEdition& kelmaro_program();
