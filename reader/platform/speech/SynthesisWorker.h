#pragma once

#include "VoiceCatalog.h"

#include <QByteArray>
#include <QList>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class WaveFileStream;

// One text to render, with the voice settings it was queued with.
struct SynthesisJob {
    QByteArray utf8;
    qsizetype characters = 0;
    std::uint64_t generation = 0;
    WaveFileStream* stream = nullptr; // nullptr: samples go to the queue for the audio sink
    QByteArray voice;                 // voice file identifier
    int wordsPerMinute = 0;
    int amplitude = 0;
};

// espeak-ng in its own thread. The library is one per process, so it is started once and every
// call into it is serialised; its voice list is read once at start.
namespace espeak_library {
// Starts the library on first use; throws UserError when it cannot start.
void start();
int sampleRate();
// Every installed voice, ordered for learners.
QList<VoiceEntry> voices();
} // namespace espeak_library

class SynthesisWorker {
public:
    // dataArrived runs on the worker thread when samples land in an empty queue.
    explicit SynthesisWorker(std::function<void()> dataArrived);
    ~SynthesisWorker();
    SynthesisWorker(const SynthesisWorker&) = delete;
    SynthesisWorker& operator=(const SynthesisWorker&) = delete;

    std::uint64_t generation() const;
    void submit(SynthesisJob job);
    // Cancels the job in progress, drops queued jobs and samples.
    void purge();
    // Whether every submitted job has been rendered within msecs (-1: no limit).
    bool waitIdle(int msecs);
    bool idle() const;
    double progress() const;

    // Samples for the audio sink: up to max bytes of 16-bit mono at the library's rate.
    QByteArray take(qsizetype max);
    bool hasSamples() const;

private:
    static int onSamples(short* samples, int count, void* events);
    int deliver(const SynthesisJob& job, short* samples, int count, void* events);
    void run();
    void render(const SynthesisJob& job);

    std::function<void()> dataArrived_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;  // a job or the end
    std::condition_variable done_;  // a job finished
    std::condition_variable space_; // the sample queue has room, or the job was cancelled
    std::deque<SynthesisJob> jobs_;
    QByteArray samples_;
    std::uint64_t generation_ = 1;
    bool busy_ = false;
    bool stopping_ = false;
    double progress_ = 1.0;
    std::thread thread_;
};
