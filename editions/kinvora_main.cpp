// Kinvora: the full program, with calibration, the frame interval choice, the tables and the
// tracking assistant.
#include "editions/kinvora_wiring.h"

int main(int argc, char** argv) { return run_program(argc, argv, kinvora_program()); }
