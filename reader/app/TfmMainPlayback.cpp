// Wiring of the read button and the recorded-voice player.
#include "TfmMain.h"

#include "documents/DocumentCommands.h"

#include <QPushButton>
#include <QToolButton>

void TfmMain::wirePlayback() {
    connect(BtnRead, &QPushButton::clicked, this, &TfmMain::BtnReadClick);
}

void TfmMain::stopPlayback() {}

void TfmMain::BtnReadClick() {
    if (BtnRead->text() == kReadTts)
        ToolButton4->click();
}
