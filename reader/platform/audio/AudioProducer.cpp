#include "AudioProducer.h"

namespace audio {

void AudioControlSource::setAudioSource(AudioProducer* source) {
    disconnect(connection_);
    source_ = source;
    if (source)
        connection_ = connect(source, &AudioProducer::audioData, this, &AudioProducer::audioData);
}

} // namespace audio
