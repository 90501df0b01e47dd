// Wiring of the read button and the recorded-voice player.
#include "TfmMain.h"

#include "documents/DocumentCommands.h"
#include "online/Download.h"
#include "platform/ErrorGuard.h"
#include "speech/MediaPlayerBar.h"
#include "speech/RecordedVoice.h"

#include <QLayout>
#include <QPushButton>
#include <QToolButton>

void TfmMain::wirePlayback() {
    auto* wmp1 = new MediaPlayerBar(playerHost);
    playerHost->layout()->addWidget(wmp1);
    playback = new RecordedVoice(
        {*this, *Edit1, *Edit2, *wmp1},
        [](const QString& url, const QString& path) { return DownloadFile(url, path); }, this);
    connect(BtnRead, &QPushButton::clicked, this, guard::slot([this] { BtnReadClick(); }));
    connect(SpeedButton1, &QToolButton::clicked, playback,
            guard::slot([p = playback] { p->SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, playback,
            guard::slot([p = playback] { p->SpeedButton2Click(); }));
}

void TfmMain::stopPlayback() {
    if (playback)
        playback->StopPlayback();
}

void TfmMain::BtnReadClick() {
    if (BtnRead->text() == kReadTts)
        ToolButton4->click();
    else if (playback)
        playback->PlayRecording();
}
