// Wiring of the reader's settings and desktop integration.
#include "TfmMain.h"

void TfmMain::wireSettings() {}

void TfmMain::firstRunAndAutoRunStep() {}

void TfmMain::fileAssociationStep() {}

void TfmMain::externalDictionaryStep() {}
