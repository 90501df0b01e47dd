#pragma once

#include <QString>
#include <QStringList>

class WaveFileStream;

// The operations the reader needs from a speech engine. One implementation speaks through
// espeak-ng; tests use fakes.
class SpeechEngine {
public:
    enum SpeakFlag {
        Async = 1,            // return at once while the engine speaks on
        PurgeBeforeSpeak = 2, // first drop everything queued or sounding
    };

    static constexpr int kMinRate = -10;
    static constexpr int kMaxRate = 10;
    static constexpr int kMinVolume = 0;
    static constexpr int kMaxVolume = 100;

    virtual ~SpeechEngine() = default;

    // Display names of every installed voice, in the same order on every call.
    virtual QStringList voices() = 0;
    // An index into voices(); later speech uses that voice.
    virtual void setVoice(int index) = 0;
    // The voice in use, -1 for the engine's default.
    virtual int voice() = 0;

    // An empty text with PurgeBeforeSpeak silences the voice.
    virtual void speak(const QString& text, int flags) = 0;
    // Output holds until resumed; speech queued meanwhile waits.
    virtual void pause() = 0;
    virtual void resume() = 0;

    virtual int rate() = 0; // kMinRate .. kMaxRate
    virtual void setRate(int rate) = 0;
    virtual int volume() = 0; // kMinVolume .. kMaxVolume
    virtual void setVolume(int volume) = 0;

    // Later speech is written into the open stream; nullptr restores the loudspeakers.
    virtual void setOutput(WaveFileStream* stream) = 0;
    // Whether all queued speech has been rendered within msecs (-1: no limit).
    virtual bool waitUntilDone(int msecs) = 0;
    // How far rendering of the queued text has come, 0 to 1.
    virtual double progress() = 0;
    // Drops the connection: the next call starts afresh with the engine's defaults.
    virtual void release() = 0;
};
