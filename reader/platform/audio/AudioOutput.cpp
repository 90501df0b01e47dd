#include "AudioOutput.h"

#include "QtAudioFormat.h"
#include "platform/ErrorGuard.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QPointer>

namespace audio {

AudioOutput::AudioOutput(QObject* parent) : AudioProducer(parent) {
    pump_.setInterval(10);
    connect(&pump_, &QTimer::timeout, this, &AudioOutput::pump);
}

AudioOutput::~AudioOutput() {
    close();
}

void AudioOutput::open() {
    close();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat qtFormat = toQtFormat(format_, device);
    if (!qtFormat.isValid())
        throw UserError(QStringLiteral("Error opening audio device for output."));
    sink_ = std::make_unique<QAudioSink>(device, qtFormat);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState)
            ranDry_ = true;
    });
    device_ = sink_->start();
    if (!device_ || sink_->error() != QAudio::NoError) {
        close();
        throw UserError(QStringLiteral("Error opening audio device for output."));
    }
    pump_.start();
}

void AudioOutput::close() {
    pump_.stop();
    if (sink_) {
        sink_->reset();
        sink_->stop();
        sink_.reset();
    }
    device_ = nullptr;
    held_.clear();
    holding_ = true;
    paused_ = false;
    ranDry_ = false;
    queue_.clear();
    ends_.clear();
    sent_ = taken_ = 0;
}

void AudioOutput::write(const QByteArray& block) {
    if (!sink_ || block.isEmpty())
        return;
    if (!holding_) {
        send(block);
        return;
    }
    held_ << block;
    if (held_.size() > bufferCount_)
        flush();
}

void AudioOutput::flush() {
    if (!holding_)
        return;
    holding_ = false;
    const QList<QByteArray> blocks = std::exchange(held_, {});
    for (const QByteArray& block : blocks)
        send(block);
}

void AudioOutput::send(const QByteArray& block) {
    queue_ += block;
    sent_ += block.size();
    ends_.push_back(sent_);
    feedDevice();
}

void AudioOutput::pause() {
    if (sink_ && !paused_) {
        sink_->suspend();
        paused_ = true;
    }
}

void AudioOutput::resume() {
    if (sink_ && paused_) {
        sink_->resume();
        paused_ = false;
    }
}

void AudioOutput::feedDevice() {
    if (!queue_.isEmpty()) {
        const qint64 room = std::min<qint64>(sink_->bytesFree(), queue_.size());
        const qint64 whole = room - room % format_.blockAlign;
        if (whole > 0) {
            const qint64 n = device_->write(queue_.constData(), whole);
            if (n > 0) {
                emit audioData(queue_.left(n), format_);
                queue_.remove(0, n);
                taken_ += n;
                ranDry_ = false;
            }
        }
    }
}

// Completions are only reported from the timer, never from inside write().
void AudioOutput::pump() {
    if (!sink_)
        return;
    feedDevice();
    if (!sink_)
        return;
    // What has been heard: the sink's clock, or everything once it ran dry.
    qint64 played = sink_->processedUSecs() * qint64(format_.avgBytesPerSec) / 1000000;
    if (queue_.isEmpty() && ranDry_)
        played = taken_;
    played = std::min(played, taken_);
    QPointer<AudioOutput> alive(this);
    while (alive && sink_ && !ends_.empty() && ends_.front() <= played) {
        ends_.pop_front();
        emit audioPlayed(); // the listener may feed more or close us
    }
}

} // namespace audio
