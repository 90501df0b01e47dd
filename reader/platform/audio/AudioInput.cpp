#include "AudioInput.h"

#include "QtAudioFormat.h"
#include "platform/ErrorGuard.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <QPointer>

namespace audio {

AudioInput::AudioInput(QObject* parent) : AudioProducer(parent) {
    // Sound servers do not always signal every arrival; a short poll keeps buffers flowing.
    poll_.setInterval(20);
    connect(&poll_, &QTimer::timeout, this, &AudioInput::readAvailable);
}

AudioInput::~AudioInput() {
    close();
}

void AudioInput::open() {
    close();
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    const QAudioFormat qtFormat = toQtFormat(format_, device);
    if (!qtFormat.isValid())
        throw UserError(QStringLiteral("Error opening audio device for input."));
    bufferSize_ = std::max<int>(format_.blockAlign, bufferSize_ - bufferSize_ % format_.blockAlign);
    source_ = std::make_unique<QAudioSource>(device, qtFormat);
    device_ = source_->start();
    if (!device_ || source_->error() != QAudio::NoError) {
        close();
        throw UserError(QStringLiteral("Error opening audio device for input."));
    }
    connect(device_, &QIODevice::readyRead, this, &AudioInput::readAvailable);
    poll_.start();
}

void AudioInput::close() {
    poll_.stop();
    if (source_) {
        source_->stop();
        source_.reset();
    }
    device_ = nullptr;
    pending_.clear();
}

void AudioInput::readAvailable() {
    if (!device_)
        return;
    pending_ += device_->readAll();
    QPointer<AudioInput> alive(this);
    while (alive && device_ && pending_.size() >= bufferSize_) {
        const QByteArray buffer = pending_.left(bufferSize_);
        pending_.remove(0, bufferSize_);
        emit audioData(buffer, format_); // an observer may close us
    }
}

} // namespace audio
