// Kinvora: the full program, with calibration, the frame interval choice and the tables.
#include "editions/kinvora_wiring.h"
#include "editions/program_start.h"

int main(int argc, char** argv) {
    return run_program(argc, argv,
                       {QStringLiteral("Kinvora"), Edition::Kinvora, wire_kinvora_windows});
}
