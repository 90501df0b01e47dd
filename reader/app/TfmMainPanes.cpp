// Wiring of the reading panes and the editing commands.
#include "TfmMain.h"

#include <QPlainTextEdit>

void TfmMain::wirePanes() {}

void TfmMain::initialPaneLayoutStep() {
    Memo2->hide();
    MemMain->show();
}

void TfmMain::scrollCouplingStep() {}
