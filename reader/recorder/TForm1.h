#pragma once

#include "RecorderStatus.h"
#include "platform/audio/AudioConvertor.h"
#include "platform/audio/AudioInput.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/Oscilloscope.h"
#include "platform/audio/RiffWave.h"

#include <QDateTime>
#include <QDialog>
#include <QFile>

#include <memory>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

// The recorder: records into one scratch file, plays it back, picks the format, saves copies.
class TForm1 : public QDialog {
    Q_OBJECT
public:
    using RecorderState = recorder::RecorderState;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    audio::AudioInput* deAudioIn;
    audio::AudioConvertor* RecordConvert;
    audio::AudioConvertor* PlayConvert;
    audio::AudioOutput* deAudioOut;
    audio::AudioControlSource* deAudioControlSource;
    audio::Oscilloscope* deOscilloscope1;
    QListWidget* lbSteps;
    QPushButton* btnRecord;
    QPushButton* btnStop;
    QPushButton* btnPlay;
    QPushButton* btnFormat;
    QPushButton* suiButton1;
    QPushButton* suiButton2;
    QStatusBar* sbStatus;
    QProgressBar* pbPlayback;
    QTimer* tmStatusBar;

    RecorderState recorderState() const { return RecorderState_; }
    const QString& recordedFile() const { return RecordedFile; }
    QString panelText(int panel) const;

    void suitempbtnRecordClick();
    void suitempbtnStopClick();
    void suitempbtnPlayClick();
    void suitempbtnFormatClick();
    void suiButton1Click();
    void suiButton2Click();

private:
    void FormCreate();
    void RecordConvertAudioConverted(const QByteArray& block);
    void deAudioOutAudioPlayed();
    void tmStatusBarTimer();
    void UpdateButtons();
    void UpdateStatus();
    void StopRecording();
    void StopPlayback();
    void FeedPlayback();
    void buildControls();
    void wire();

    RecorderState RecorderState_ = RecorderState::Idle;
    QString RecordedFile;
    QDateTime StartTime;
    QLabel* statusPanels_[2];
    // Declared before the writer and reader so they are released first.
    std::unique_ptr<QFile> fileStream;
    std::unique_ptr<audio::RiffWaveWriter> waveWriter;
    std::unique_ptr<audio::RiffWaveReader> waveReader;
    std::unique_ptr<audio::DataStream> DataStream;
};
