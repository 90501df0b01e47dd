#include "ProgramBlock.h"

int main(int argc, char** argv) {
    return RunProgramBlock(argc, argv);
}
