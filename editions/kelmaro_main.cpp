// Kelmaro: the earlier edition. Frames are stepped and counted by hand, positions stay in
// ruler units, the frame interval is 1/30 s, and there is no calibration and no table.
#include "editions/kelmaro_edition.h"

int main(int argc, char** argv) { return run_program(argc, argv, kelmaro_program()); }
