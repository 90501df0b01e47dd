// Wiring of the speech commands.
#include "TfmMain.h"

#include "platform/ErrorGuard.h"
#include "platform/speech/EspeakVoice.h"
#include "speech/SpeechController.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

void TfmMain::wireSpeech() {
    auto* voice = new EspeakVoice(this);
    speech = new SpeechController({*this, *MemMain, *cmbEngines, *N27, *ToolButton5, *N7, *N11, *N6}, *voice,
                                  this);
    voice->setParent(speech);
    N27->setCheckable(true);
    N7->setCheckable(true);

    const auto on = [this](auto* sender, auto signal, void (SpeechController::*handler)()) {
        connect(sender, signal, this, guard::slot([this, handler] { (speech->*handler)(); }));
    };
    for (QAction* read : {N20, N6})
        on(read, &QAction::triggered, &SpeechController::N20Click);
    on(ToolButton4, &QToolButton::clicked, &SpeechController::N20Click);
    on(N11, &QAction::triggered, &SpeechController::N11Click);
    on(N27, &QAction::triggered, &SpeechController::N27Click);
    on(ToolButton5, &QToolButton::clicked, &SpeechController::ToolButton5Click);
    on(N7, &QAction::triggered, &SpeechController::N7Click);
    for (QAction* stop : {N28, N8})
        on(stop, &QAction::triggered, &SpeechController::N28Click);
    on(ToolButton6, &QToolButton::clicked, &SpeechController::N28Click);
    on(N81, &QAction::triggered, &SpeechController::N81Click);
    on(N82, &QAction::triggered, &SpeechController::N82Click);
    on(N83, &QAction::triggered, &SpeechController::N83Click);
    on(N84, &QAction::triggered, &SpeechController::N84Click);
    on(N57, &QAction::triggered, &SpeechController::N57Click);
    on(cmbEngines, &QComboBox::activated, &SpeechController::suitempcmbEnginesChange);
}

void TfmMain::initVoicesStep() {
    speech->InitVoices();
}
