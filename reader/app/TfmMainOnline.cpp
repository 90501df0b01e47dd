// Wiring of the online services: history, feed, resources and look-up windows.
#include "TfmMain.h"

void TfmMain::wireOnline() {}

void TfmMain::loadHistoryStep() {}

void TfmMain::addToHistory(const QString& name, const QString& address) {
    Q_UNUSED(name);
    Q_UNUSED(address);
}

void TfmMain::saveHistoryOnClose() {}
