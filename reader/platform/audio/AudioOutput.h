#pragma once

#include "AudioProducer.h"

#include <QTimer>

#include <deque>
#include <memory>

class QAudioSink;
class QIODevice;

namespace audio {

// Plays PCM blocks on the default output device. The first BufferCount blocks after opening
// are held back and go to the device together with the next one; audioPlayed follows each
// block once it has been heard.
class AudioOutput : public AudioProducer {
    Q_OBJECT
public:
    explicit AudioOutput(QObject* parent = nullptr);
    ~AudioOutput() override;

    void setFormat(const WaveFormat& format) { format_ = format; }
    const WaveFormat& format() const { return format_; }
    int bufferCount() const { return bufferCount_; }
    void setBufferCount(int count) { bufferCount_ = count; }

    // Throws "Error opening audio device for output." when the device cannot be opened.
    void open();
    // Stops at once and discards queued sound.
    void close();
    bool isOpen() const { return sink_ != nullptr; }

    void write(const QByteArray& block);
    // Sends held-back blocks now, for sound too short to fill the hold-back.
    void flush();
    void pause();
    void resume();
    bool isPaused() const { return paused_; }
    // Blocks sent to the device that have not finished playing.
    int pendingBuffers() const { return static_cast<int>(ends_.size()); }

signals:
    void audioPlayed();

private:
    void send(const QByteArray& block);
    void feedDevice();
    void pump();

    WaveFormat format_;
    int bufferCount_ = 4;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* device_ = nullptr;
    QList<QByteArray> held_;
    bool holding_ = true;
    bool paused_ = false;
    bool ranDry_ = false;
    QByteArray queue_;        // sent blocks the sink has not taken yet
    std::deque<qint64> ends_; // where each sent block ends, in bytes from the start
    qint64 sent_ = 0;
    qint64 taken_ = 0;
    QTimer pump_;
};

} // namespace audio
