#pragma once

#include "SpeechEngine.h"
#include "VoiceCatalog.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>

class QAudioSink;
class QIODevice;
class SynthesisWorker;

// The speech engine over espeak-ng. Speech is rendered on a worker thread and streamed into a
// Qt Multimedia audio sink as it is produced; pause and resume act on the sink, purge cancels
// the synthesis and drops every queued sample. Lives on a thread with an event loop.
class EspeakVoice final : public QObject, public SpeechEngine {
    Q_OBJECT
public:
    explicit EspeakVoice(QObject* parent = nullptr);
    ~EspeakVoice() override;

    QStringList voices() override;
    void setVoice(int index) override;
    int voice() override;
    void speak(const QString& text, int flags) override;
    void pause() override;
    void resume() override;
    int rate() override;
    void setRate(int rate) override;
    int volume() override;
    void setVolume(int volume) override;
    void setOutput(WaveFileStream* stream) override;
    bool waitUntilDone(int msecs) override;
    double progress() override;
    void release() override;

    // The voices with their languages, in the order of voices().
    QList<VoiceEntry> voiceEntries();
    // Bytes written into the audio sink so far.
    qint64 bytesHandedToSink() const { return handed_; }
    bool isPaused() const { return paused_; }

signals:
    // Some samples went into the audio sink.
    void audioHanded(qint64 bytes);

private:
    void connectEngine();
    void purge();
    void feed();
    void dropSink();

    std::unique_ptr<SynthesisWorker> worker_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* sinkDevice_ = nullptr;
    QByteArray pending_; // taken from the worker, not yet accepted by the sink
    QTimer feedTimer_;
    std::atomic<qint64> handed_{0};

    bool connected_ = false;
    bool paused_ = false;
    int voice_ = -1;
    int rate_ = 0;
    int volume_ = kMaxVolume;
    WaveFileStream* output_ = nullptr;
};
