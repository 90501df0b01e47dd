#include "TForm1.h"

#include "platform/Dialogs.h"
#include "platform/ErrorGuard.h"
#include "platform/ProgramFolder.h"
#include "platform/audio/FormatChooser.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

using audio::WaveFormat;

namespace {

QPushButton* makeButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setFixedSize(66, 25);
    button->setAutoDefault(false);
    return button;
}

// Copies through a temporary file, so a failed copy leaves an existing target whole.
void copyFile(const QString& from, const QString& to) {
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 16);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return;
        }
    }
    target.commit();
}

} // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    buildControls();
    wire();
    guard::run([this] { FormCreate(); });
}

TForm1::~TForm1() {
    // A recording still running when the program ends is completed, so the file stays valid.
    if (RecorderState_ == RecorderState::Recording)
        StopRecording();
    else if (RecorderState_ == RecorderState::Playing)
        StopPlayback();
}

void TForm1::buildControls() {
    setWindowTitle(QStringLiteral("蓝岸英语阅读器 - 录音机"));
    resize(490, 352);
    setMinimumWidth(130);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    setFont(font);
    setStyleSheet(
        QStringLiteral("TForm1 { background: rgb(231, 231, 231); border: 1px solid rgb(127, 127, 127); }"));

    deAudioIn = new audio::AudioInput(this);
    RecordConvert = new audio::AudioConvertor(this);
    RecordConvert->setFormatOut(WaveFormat::pcm(11025, 8, 2));
    PlayConvert = new audio::AudioConvertor(this);
    deAudioOut = new audio::AudioOutput(this);
    deAudioOut->setBufferCount(4);
    deAudioControlSource = new audio::AudioControlSource(this);

    deOscilloscope1 = new audio::Oscilloscope(this);
    deOscilloscope1->setFixedHeight(114);
    deOscilloscope1->setMinimumWidth(100);
    deOscilloscope1->setNumberOfPoints(200);
    deOscilloscope1->setAccessibleName(QStringLiteral("波形"));
    deOscilloscope1->setAudioControlSource(deAudioControlSource);

    lbSteps = new QListWidget(this);
    lbSteps->setFixedHeight(105);
    lbSteps->setAccessibleName(QStringLiteral("转换步骤"));

    btnRecord = makeButton(QStringLiteral("录制"), this);
    btnStop = makeButton(QStringLiteral("停止"), this);
    btnPlay = makeButton(QStringLiteral("播放"), this);
    btnFormat = makeButton(QStringLiteral("格式"), this);
    suiButton1 = makeButton(QStringLiteral("保存"), this);
    suiButton2 = makeButton(QStringLiteral("关闭"), this);

    sbStatus = new QStatusBar(this);
    sbStatus->setSizeGripEnabled(false);
    for (auto*& panel : statusPanels_) {
        panel = new QLabel(sbStatus);
        panel->setAccessibleName(QStringLiteral("状态"));
    }
    statusPanels_[0]->setFixedWidth(120);
    statusPanels_[1]->setMinimumWidth(50);
    sbStatus->addWidget(statusPanels_[0]);
    sbStatus->addWidget(statusPanels_[1], 1);

    pbPlayback = new QProgressBar(this);
    pbPlayback->setRange(0, 100);
    pbPlayback->setTextVisible(false);
    pbPlayback->setFixedHeight(12);

    tmStatusBar = new QTimer(this);
    tmStatusBar->setInterval(1000);
    tmStatusBar->setTimerType(Qt::PreciseTimer); // a coarse tick may come early and show a second too few

    auto* buttons = new QHBoxLayout;
    for (auto* button : {btnRecord, btnStop, btnPlay, btnFormat, suiButton1, suiButton2})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 0);
    layout->addWidget(deOscilloscope1);
    layout->addWidget(lbSteps);
    layout->addLayout(buttons);
    layout->addStretch();
    layout->addWidget(sbStatus);
    layout->addWidget(pbPlayback);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm1::wire() {
    const auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { guard::run([&] { (this->*handler)(); }); };
    };
    connect(btnRecord, &QPushButton::clicked, this, guarded(&TForm1::suitempbtnRecordClick));
    connect(btnStop, &QPushButton::clicked, this, guarded(&TForm1::suitempbtnStopClick));
    connect(btnPlay, &QPushButton::clicked, this, guarded(&TForm1::suitempbtnPlayClick));
    connect(btnFormat, &QPushButton::clicked, this, guarded(&TForm1::suitempbtnFormatClick));
    connect(suiButton1, &QPushButton::clicked, this, guarded(&TForm1::suiButton1Click));
    connect(suiButton2, &QPushButton::clicked, this, guarded(&TForm1::suiButton2Click));
    connect(tmStatusBar, &QTimer::timeout, this, guarded(&TForm1::tmStatusBarTimer));
    connect(deAudioOut, &audio::AudioOutput::audioPlayed, this, guarded(&TForm1::deAudioOutAudioPlayed));

    // The input feeds the recording chain; the playback chain feeds the output.
    connect(deAudioIn, &audio::AudioProducer::audioData, RecordConvert,
            [this](const QByteArray& block) { guard::run([&] { RecordConvert->push(block); }); });
    connect(RecordConvert, &audio::AudioConvertor::audioConverted, this,
            [this](const QByteArray& block) { RecordConvertAudioConverted(block); });
    connect(PlayConvert, &audio::AudioConvertor::audioConverted, deAudioOut, &audio::AudioOutput::write);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (RecorderState_ == RecorderState::Recording)
            StopRecording();
    });
}

void TForm1::FormCreate() {
    RecorderState_ = RecorderState::Idle;
    RecordedFile = ProgramFolder() + QStringLiteral("Recorded.wav");
    UpdateButtons();
    UpdateStatus();
}

QString TForm1::panelText(int panel) const {
    return statusPanels_[panel]->text();
}

void TForm1::UpdateButtons() {
    const bool idle = RecorderState_ == RecorderState::Idle;
    btnRecord->setEnabled(idle);
    btnStop->setEnabled(!idle);
    btnPlay->setEnabled(RecorderState_ != RecorderState::Recording && QFile::exists(RecordedFile));
    btnFormat->setEnabled(idle);
}

void TForm1::UpdateStatus() {
    switch (RecorderState_) {
    case RecorderState::Idle:
        statusPanels_[0]->setText(QStringLiteral("已停止"));
        break;
    case RecorderState::Recording:
        statusPanels_[0]->setText(recorder::recordingStatus(StartTime.secsTo(QDateTime::currentDateTime())));
        statusPanels_[1]->setText(RecordConvert->formatOut().description());
        break;
    case RecorderState::Playing:
        statusPanels_[0]->setText(recorder::playingStatus(DataStream->position(), DataStream->size()));
        statusPanels_[1]->setText(PlayConvert->formatIn().description());
        break;
    }
}

void TForm1::suitempbtnRecordClick() {
    const WaveFormat input = audio::pcmSuggestion(RecordConvert->formatOut());
    deAudioIn->setFormat(input);
    deAudioIn->setBufferSize(static_cast<int>(input.avgBytesPerSec >> 3) + 4);
    try {
        RecordConvert->setFormatIn(input);
        RecordConvert->open();
        lbSteps->clear();
        lbSteps->addItem(QStringLiteral("录制转换步骤："));
        lbSteps->addItem(QString(23, QLatin1Char('=')));
        lbSteps->addItems(RecordConvert->formatList());
        fileStream = std::make_unique<QFile>(RecordedFile);
        if (!fileStream->open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw UserError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(RecordedFile, fileStream->errorString()));
        waveWriter = std::make_unique<audio::RiffWaveWriter>(*fileStream);
        waveWriter->setFormat(RecordConvert->formatOut());
        deAudioControlSource->setAudioSource(deAudioIn);
        deAudioIn->open();
        RecorderState_ = RecorderState::Recording;
    } catch (...) {
        StopRecording();
        throw;
    }
    UpdateButtons();
    StartTime = QDateTime::currentDateTime();
    tmStatusBar->start();
    UpdateStatus();
}

void TForm1::RecordConvertAudioConverted(const QByteArray& block) {
    if (waveWriter)
        waveWriter->append(block);
}

void TForm1::StopRecording() {
    RecordConvert->close();
    deAudioIn->close();
    waveWriter.reset();
    fileStream.reset();
    RecorderState_ = RecorderState::Idle;
    UpdateButtons();
    UpdateStatus();
}

void TForm1::suitempbtnPlayClick() {
    if (RecorderState_ == RecorderState::Playing) {
        if (deAudioOut->isPaused())
            deAudioOut->resume();
        else
            deAudioOut->pause();
    } else {
        deAudioControlSource->setAudioSource(deAudioOut);
        try {
            fileStream = std::make_unique<QFile>(RecordedFile);
            if (!fileStream->open(QIODevice::ReadOnly))
                throw UserError(QStringLiteral("Cannot open file \"%1\". %2")
                                    .arg(RecordedFile, fileStream->errorString()));
            waveReader = std::make_unique<audio::RiffWaveReader>(*fileStream);
            deAudioOut->setFormat(audio::pcmSuggestion(waveReader->format()));
            PlayConvert->setFormatIn(waveReader->format());
            PlayConvert->setFormatOut(deAudioOut->format());
            PlayConvert->open();
            lbSteps->clear();
            lbSteps->addItem(QStringLiteral("播放转换步骤："));
            lbSteps->addItem(QString(21, QLatin1Char('=')));
            lbSteps->addItems(PlayConvert->formatList());
            DataStream = std::make_unique<audio::DataStream>(waveReader->dataStream());
            deAudioOut->open();
            pbPlayback->setRange(0, static_cast<int>(std::min<qint64>(DataStream->size(), INT_MAX)));
            pbPlayback->setValue(0);
            for (int i = 0; i <= deAudioOut->bufferCount(); ++i)
                FeedPlayback();
            RecorderState_ = RecorderState::Playing;
        } catch (...) {
            StopPlayback();
            throw;
        }
        UpdateButtons();
    }
    StartTime = QDateTime::currentDateTime();
    tmStatusBar->start();
    UpdateStatus();
    // Nothing to play: done at once rather than waiting for sound that never comes.
    if (RecorderState_ == RecorderState::Playing && DataStream->size() == 0)
        StopPlayback();
}

void TForm1::FeedPlayback() {
    qint64 blockSize = PlayConvert->formatIn().avgBytesPerSec >> 3;
    if (DataStream->remaining() < 2 * blockSize)
        blockSize = DataStream->remaining();
    PlayConvert->push(DataStream->read(blockSize));
    // Sound shorter than the output's hold-back would otherwise never reach the device.
    if (DataStream->remaining() == 0)
        deAudioOut->flush();
}

void TForm1::deAudioOutAudioPlayed() {
    if (!DataStream)
        return;
    pbPlayback->setValue(static_cast<int>(std::min<qint64>(DataStream->position(), INT_MAX)));
    if (DataStream->remaining() > 0)
        FeedPlayback();
    else if (deAudioOut->pendingBuffers() == 0)
        StopPlayback();
}

void TForm1::StopPlayback() {
    deAudioOut->close();
    PlayConvert->close();
    DataStream.reset();
    waveReader.reset();
    fileStream.reset();
    RecorderState_ = RecorderState::Idle;
    UpdateButtons();
    UpdateStatus();
}

void TForm1::suitempbtnStopClick() {
    tmStatusBar->stop();
    statusPanels_[0]->setText(QStringLiteral("已停止"));
    statusPanels_[1]->clear();
    if (RecorderState_ == RecorderState::Recording)
        StopRecording();
    if (RecorderState_ == RecorderState::Playing)
        StopPlayback();
    pbPlayback->setValue(0);
}

void TForm1::suitempbtnFormatClick() {
    audio::FormatChooser chooser(RecordConvert->formatOut(), QStringLiteral("选择录制格式"), this);
    if (chooser.exec() == QDialog::Accepted)
        RecordConvert->setFormatOut(chooser.format());
}

void TForm1::suiButton1Click() {
    if (!QFile::exists(RecordedFile))
        return;
    FileDialogRequest request;
    request.filter = QStringLiteral("wav音频文件(*.wav)|*.wav");
    request.defaultSuffix = QStringLiteral("wav");
    request.overwritePrompt = true;
    const auto target = dialogs::provider().saveFile(this, request);
    // While recording or playing the file is held open and cannot be copied; nothing is reported.
    if (!target || RecorderState_ != RecorderState::Idle)
        return;
    copyFile(RecordedFile, *target);
}

void TForm1::suiButton2Click() {
    close();
}

void TForm1::tmStatusBarTimer() {
    UpdateStatus();
}
