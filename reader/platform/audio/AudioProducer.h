#pragma once

#include "WaveFormat.h"

#include <QByteArray>
#include <QObject>

namespace audio {

// Anything a level display can follow: it announces each block of PCM it handles.
class AudioProducer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void audioData(const QByteArray& data, const audio::WaveFormat& format);
};

// Follows one producer at a time and passes its data on.
class AudioControlSource : public AudioProducer {
    Q_OBJECT
public:
    using AudioProducer::AudioProducer;
    void setAudioSource(AudioProducer* source);
    AudioProducer* audioSource() const { return source_; }

private:
    AudioProducer* source_ = nullptr;
    QMetaObject::Connection connection_;
};

} // namespace audio
