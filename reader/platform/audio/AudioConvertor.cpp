#include "AudioConvertor.h"

namespace audio {

AudioConvertor::~AudioConvertor() = default;

void AudioConvertor::open() {
    chain_.reset();
    chain_ = std::make_unique<ConversionChain>(formatIn_, formatOut_);
}

QStringList AudioConvertor::formatList() const {
    QStringList list;
    if (chain_)
        for (const WaveFormat& format : chain_->formats())
            list << format.description();
    return list;
}

void AudioConvertor::push(const QByteArray& block) {
    if (!chain_)
        return;
    const QByteArray converted = chain_->push(block);
    if (!converted.isEmpty())
        emit audioConverted(converted);
}

} // namespace audio
