#pragma once

#include "WaveFormat.h"

#include <QAudioDevice>
#include <QAudioFormat>

namespace audio {

// The Qt form of a PCM format; an invalid format when the device cannot take it.
inline QAudioFormat toQtFormat(const WaveFormat& format, const QAudioDevice& device) {
    QAudioFormat qt;
    if (!format.isPcm() || !format.isSupported())
        return qt;
    qt.setSampleRate(static_cast<int>(format.samplesPerSec));
    qt.setChannelCount(format.channels);
    qt.setSampleFormat(format.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(qt))
        return {};
    return qt;
}

} // namespace audio
