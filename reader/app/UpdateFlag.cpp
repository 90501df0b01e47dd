#include "ProgramBlock.h"

int ReadUpdateFlag() {
    return 0;
}
