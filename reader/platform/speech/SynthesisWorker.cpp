#include "SynthesisWorker.h"

#include "WaveFileStream.h"
#include "platform/ErrorGuard.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <atomic>
#include <chrono>

namespace {

// Two seconds of speech ahead of the sink: enough to ride out a busy GUI thread, little to drop.
constexpr qsizetype kQueueSeconds = 2;
// Milliseconds of audio per callback; small, so the first samples come early and purge is quick.
constexpr int kBufferMilliseconds = 40;

struct Library {
    std::mutex mutex;                // held for every call into espeak-ng
    std::atomic<bool> ready = false; // set once, after sampleRate and voices
    int sampleRate = 0;
    QList<VoiceEntry> voices;
    QByteArray loadedVoice;
};

Library& library() {
    static Library instance;
    return instance;
}

QString statusText(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return QString::fromLocal8Bit(text).trimmed();
}

void fail(espeak_ng_STATUS status) {
    throw UserError(QStringLiteral("语音引擎无法启动：%1").arg(statusText(status)));
}

// The worker whose job is rendering on this thread; espeak-ng calls back synchronously.
thread_local SynthesisWorker* renderingWorker = nullptr;
thread_local const SynthesisJob* renderingJob = nullptr;

} // namespace

namespace espeak_library {

void start() {
    Library& lib = library();
    // The worker holds the mutex while it waits for room in the queue; once started, callers
    // on the GUI thread must not wait for it.
    if (lib.ready.load())
        return;
    std::lock_guard lock(lib.mutex);
    if (lib.ready.load())
        return;
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    if (context)
        espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK)
        fail(status);
    status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kBufferMilliseconds, nullptr);
    if (status != ENS_OK)
        fail(status);
    lib.sampleRate = espeak_ng_GetSampleRate();

    QList<VoiceEntry> voices;
    for (const espeak_VOICE** v = espeak_ListVoices(nullptr); v && *v; ++v) {
        const QString language = (*v)->languages ? QString::fromUtf8((*v)->languages + 1) : QString();
        voices.append({QString::fromUtf8((*v)->name), language, QByteArray((*v)->identifier)});
    }
    lib.voices = orderForLearners(voices);
    lib.ready = true;
}

int sampleRate() {
    start();
    return library().sampleRate;
}

QList<VoiceEntry> voices() {
    start();
    return library().voices; // written once, before ready
}

} // namespace espeak_library

SynthesisWorker::SynthesisWorker(std::function<void()> dataArrived) : dataArrived_(std::move(dataArrived)) {
    espeak_library::start();
    {
        std::lock_guard lock(library().mutex);
        espeak_SetSynthCallback([](short* samples, int count, espeak_EVENT* events) {
            return onSamples(samples, count, events);
        });
    }
    thread_ = std::thread([this] { run(); });
}

SynthesisWorker::~SynthesisWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        ++generation_;
    }
    wake_.notify_all();
    space_.notify_all();
    thread_.join();
}

std::uint64_t SynthesisWorker::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void SynthesisWorker::submit(SynthesisJob job) {
    {
        std::lock_guard lock(mutex_);
        job.generation = generation_;
        jobs_.push_back(std::move(job));
        progress_ = 0;
    }
    wake_.notify_all();
}

void SynthesisWorker::purge() {
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        jobs_.clear();
        samples_.clear();
        progress_ = 1.0;
    }
    space_.notify_all();
}

bool SynthesisWorker::waitIdle(int msecs) {
    std::unique_lock lock(mutex_);
    const auto isIdle = [this] { return !busy_ && jobs_.empty(); };
    if (msecs < 0) {
        done_.wait(lock, isIdle);
        return true;
    }
    return done_.wait_for(lock, std::chrono::milliseconds(msecs), isIdle);
}

bool SynthesisWorker::idle() const {
    std::lock_guard lock(mutex_);
    return !busy_ && jobs_.empty();
}

double SynthesisWorker::progress() const {
    std::lock_guard lock(mutex_);
    return progress_;
}

QByteArray SynthesisWorker::take(qsizetype max) {
    QByteArray out;
    {
        std::lock_guard lock(mutex_);
        out = samples_.left(max & ~qsizetype(1));
        samples_.remove(0, out.size());
    }
    space_.notify_all();
    return out;
}

bool SynthesisWorker::hasSamples() const {
    std::lock_guard lock(mutex_);
    return !samples_.isEmpty();
}

void SynthesisWorker::run() {
    for (;;) {
        SynthesisJob job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
            busy_ = true;
        }
        render(job);
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
            if (jobs_.empty())
                progress_ = 1.0;
        }
        done_.notify_all();
    }
}

void SynthesisWorker::render(const SynthesisJob& job) {
    if (job.utf8.isEmpty())
        return;
    Library& lib = library();
    std::lock_guard lock(lib.mutex);
    if (job.voice != lib.loadedVoice && espeak_ng_SetVoiceByFile(job.voice.constData()) == ENS_OK)
        lib.loadedVoice = job.voice;
    espeak_SetParameter(espeakRATE, job.wordsPerMinute, 0);
    espeak_SetParameter(espeakVOLUME, job.amplitude, 0);
    renderingWorker = this;
    renderingJob = &job;
    espeak_Synth(job.utf8.constData(), static_cast<size_t>(job.utf8.size()) + 1, 0, POS_CHARACTER, 0,
                 espeakCHARS_UTF8, nullptr, nullptr);
    renderingWorker = nullptr;
    renderingJob = nullptr;
}

int SynthesisWorker::onSamples(short* samples, int count, void* events) {
    if (!renderingWorker || !renderingJob)
        return 1;
    return renderingWorker->deliver(*renderingJob, samples, count, events);
}

int SynthesisWorker::deliver(const SynthesisJob& job, short* samples, int count, void* events) {
    const int rate = library().sampleRate;
    std::unique_lock lock(mutex_);
    if (job.generation != generation_)
        return 1;
    for (auto* e = static_cast<const espeak_EVENT*>(events); e && e->type != espeakEVENT_LIST_TERMINATED;
         ++e) {
        if (e->type == espeakEVENT_WORD || e->type == espeakEVENT_SENTENCE)
            progress_ =
                std::clamp(double(e->text_position) / std::max<qsizetype>(job.characters, 1), 0.0, 1.0);
    }
    if (!samples || count <= 0)
        return 0;
    if (job.stream) {
        lock.unlock();
        job.stream->write(reinterpret_cast<const std::int16_t*>(samples), static_cast<std::size_t>(count),
                          rate);
        return 0;
    }
    const qsizetype capacity = kQueueSeconds * rate * 2;
    space_.wait(lock, [&] { return samples_.size() < capacity || job.generation != generation_; });
    if (job.generation != generation_)
        return 1;
    const bool wasEmpty = samples_.isEmpty();
    samples_.append(reinterpret_cast<const char*>(samples), qsizetype(count) * 2);
    lock.unlock();
    if (wasEmpty && dataArrived_)
        dataArrived_();
    return 0;
}
