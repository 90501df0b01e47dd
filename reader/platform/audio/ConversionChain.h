#pragma once

#include "WaveFormat.h"

#include <QByteArray>
#include <QList>

#include <memory>
#include <vector>

namespace audio {

// One conversion from one format to the next; keeps what does not yet fill a block.
class ConversionStep {
public:
    virtual ~ConversionStep() = default;
    virtual QByteArray push(const QByteArray& input) = 0;
};

// The formats a conversion passes through: directly from input to output where one step can
// do it, otherwise through one or two intermediate PCM formats. Throws "Conversion not
// possible." when either end is a format we cannot handle.
QList<WaveFormat> planConversion(const WaveFormat& in, const WaveFormat& out);

// A streaming conversion along a plan.
class ConversionChain {
public:
    ConversionChain(const WaveFormat& in, const WaveFormat& out);
    ~ConversionChain();
    ConversionChain(const ConversionChain&) = delete;
    ConversionChain& operator=(const ConversionChain&) = delete;

    const QList<WaveFormat>& formats() const { return formats_; }
    QByteArray push(const QByteArray& input);

private:
    QList<WaveFormat> formats_;
    std::vector<std::unique_ptr<ConversionStep>> steps_;
};

} // namespace audio
