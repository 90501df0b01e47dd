// Wiring of the speech commands.
#include "TfmMain.h"

void TfmMain::wireSpeech() {}

void TfmMain::initVoicesStep() {}
