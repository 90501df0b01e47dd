#include "EspeakVoice.h"

#include "EngineScale.h"
#include "SynthesisWorker.h"
#include "platform/ErrorGuard.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QThread>

#include <algorithm>

namespace {

// Poll interval while speech streams into the sink; the sink's own buffer covers it many times.
constexpr int kFeedMilliseconds = 10;
// The sink's buffer: short, so stop and pause act promptly.
constexpr int kSinkBufferMilliseconds = 200;

} // namespace

EspeakVoice::EspeakVoice(QObject* parent) : QObject(parent) {
    feedTimer_.setInterval(kFeedMilliseconds);
    connect(&feedTimer_, &QTimer::timeout, this, &EspeakVoice::feed);
}

EspeakVoice::~EspeakVoice() {
    worker_.reset();
    dropSink();
}

void EspeakVoice::connectEngine() {
    if (!worker_)
        worker_ = std::make_unique<SynthesisWorker>(
            [this] { QMetaObject::invokeMethod(this, &EspeakVoice::feed, Qt::QueuedConnection); });
    connected_ = true;
}

QList<VoiceEntry> EspeakVoice::voiceEntries() {
    connectEngine();
    return espeak_library::voices();
}

QStringList EspeakVoice::voices() {
    QStringList names;
    for (const VoiceEntry& voice : voiceEntries())
        names.append(displayName(voice));
    return names;
}

void EspeakVoice::setVoice(int index) {
    const qsizetype count = voiceEntries().size();
    if (index < 0 || index >= count)
        throw UserError(QStringLiteral("没有编号为 %1 的语音。").arg(index));
    voice_ = index;
}

int EspeakVoice::voice() {
    connectEngine();
    return voice_;
}

void EspeakVoice::speak(const QString& text, int flags) {
    connectEngine();
    if (flags & PurgeBeforeSpeak)
        purge();
    if (text.isEmpty())
        return;
    if (!output_ && QMediaDevices::defaultAudioOutput().isNull())
        throw UserError(QStringLiteral("没有可用的音频输出设备，无法朗读。"));
    const QList<VoiceEntry> entries = espeak_library::voices();
    SynthesisJob job;
    job.utf8 = text.toUtf8();
    job.characters = text.size();
    job.stream = output_;
    if (!entries.isEmpty())
        job.voice = entries.at(std::clamp<qsizetype>(voice_, 0, entries.size() - 1)).identifier;
    job.wordsPerMinute = engine_scale::wordsPerMinute(rate_);
    job.amplitude = engine_scale::amplitude(volume_);
    worker_->submit(std::move(job));
    // Speech to the loudspeakers never blocks the caller; only a file is waited for.
    if (!(flags & Async) && output_)
        waitUntilDone(-1);
}

void EspeakVoice::pause() {
    connectEngine();
    paused_ = true;
    if (sink_)
        sink_->suspend();
}

void EspeakVoice::resume() {
    connectEngine();
    paused_ = false;
    if (sink_)
        sink_->resume();
    feed();
}

int EspeakVoice::rate() {
    connectEngine();
    return rate_;
}

void EspeakVoice::setRate(int rate) {
    connectEngine();
    rate_ = std::clamp(rate, kMinRate, kMaxRate);
}

int EspeakVoice::volume() {
    connectEngine();
    return volume_;
}

void EspeakVoice::setVolume(int volume) {
    connectEngine();
    volume_ = std::clamp(volume, kMinVolume, kMaxVolume);
}

void EspeakVoice::setOutput(WaveFileStream* stream) {
    connectEngine();
    // Speech under way belongs to the old output; it does not carry over.
    purge();
    output_ = stream;
}

bool EspeakVoice::waitUntilDone(int msecs) {
    connectEngine();
    if (output_)
        return worker_->waitIdle(msecs);
    // Speech to the sink needs this thread to feed it while waiting.
    QDeadlineTimer deadline(msecs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(msecs));
    for (;;) {
        feed();
        if (worker_->idle() && !worker_->hasSamples() && pending_.isEmpty())
            return true;
        if (deadline.hasExpired())
            return false;
        worker_->waitIdle(kFeedMilliseconds);
    }
}

double EspeakVoice::progress() {
    return worker_ ? worker_->progress() : 1.0;
}

void EspeakVoice::release() {
    if (worker_)
        purge();
    connected_ = false;
    paused_ = false;
    voice_ = -1;
    rate_ = 0;
    volume_ = kMaxVolume;
    output_ = nullptr;
}

void EspeakVoice::purge() {
    worker_->purge();
    dropSink();
}

void EspeakVoice::dropSink() {
    feedTimer_.stop();
    pending_.clear();
    if (sink_)
        sink_->stop();
    sink_.reset();
    sinkDevice_ = nullptr;
}

void EspeakVoice::feed() {
    if (!worker_ || paused_ || output_)
        return;
    if (!sink_) {
        if (!worker_->hasSamples())
            return;
        QAudioFormat format;
        format.setSampleRate(espeak_library::sampleRate());
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        sink_ = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), format);
        sink_->setBufferSize(format.bytesForDuration(kSinkBufferMilliseconds * 1000));
        sinkDevice_ = sink_->start();
        if (!sinkDevice_ || sink_->error() != QAudio::NoError) {
            // No way to sound it: drop it rather than let the queue hold the synthesis.
            worker_->purge();
            dropSink();
            return;
        }
    }
    const qint64 room = sink_->bytesFree() & ~qint64(1);
    if (pending_.size() < room)
        pending_ += worker_->take(room - pending_.size());
    if (!pending_.isEmpty() && room > 0) {
        const qint64 written =
            sinkDevice_->write(pending_.constData(), std::min<qint64>(room, pending_.size()));
        if (written > 0) {
            pending_.remove(0, written);
            handed_ += written;
            emit audioHanded(written);
        }
    }
    const bool more = !pending_.isEmpty() || worker_->hasSamples() || !worker_->idle();
    if (!more)
        feedTimer_.stop();
    else if (!feedTimer_.isActive())
        feedTimer_.start();
}
