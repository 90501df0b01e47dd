#pragma once

#include "AudioProducer.h"

#include <QTimer>

#include <memory>

class QAudioSource;
class QIODevice;

namespace audio {

// Captures PCM from the default input device and hands it on in buffers of BufferSize bytes.
class AudioInput : public AudioProducer {
    Q_OBJECT
public:
    explicit AudioInput(QObject* parent = nullptr);
    ~AudioInput() override;

    void setFormat(const WaveFormat& format) { format_ = format; }
    const WaveFormat& format() const { return format_; }
    // Trimmed to whole sample frames when the input opens.
    void setBufferSize(int bytes) { bufferSize_ = bytes; }
    int bufferSize() const { return bufferSize_; }

    // Throws "Error opening audio device for input." when capturing cannot start.
    void open();
    void close();
    bool isOpen() const { return source_ != nullptr; }

private:
    void readAvailable();

    WaveFormat format_;
    int bufferSize_ = 4096;
    std::unique_ptr<QAudioSource> source_;
    QIODevice* device_ = nullptr;
    QByteArray pending_;
    QTimer poll_;
};

} // namespace audio
