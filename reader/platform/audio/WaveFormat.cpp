#include "WaveFormat.h"

#include "platform/ErrorGuard.h"

#include <QtEndian>

namespace audio {

namespace {

const std::uint32_t kPcmRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000};
const std::uint32_t kBlockCodecRates[] = {8000, 11025, 22050, 44100};

QByteArray wordBytes(std::uint16_t value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

bool isUsualRate(std::uint32_t rate) {
    return rate >= 8000 && rate <= 48000;
}

} // namespace

WaveFormat WaveFormat::pcm(std::uint32_t rate, std::uint16_t bits, std::uint16_t channels) {
    const auto block = static_cast<std::uint16_t>(channels * bits / 8);
    return {TagPcm, channels, rate, rate * block, block, bits, {}};
}

WaveFormat WaveFormat::aLaw(std::uint32_t rate, std::uint16_t channels) {
    return {TagALaw, channels, rate, rate * channels, channels, 8, {}};
}

WaveFormat WaveFormat::muLaw(std::uint32_t rate, std::uint16_t channels) {
    return {TagMuLaw, channels, rate, rate * channels, channels, 8, {}};
}

WaveFormat WaveFormat::imaAdpcm(std::uint32_t rate, std::uint16_t channels) {
    // Blocks grow with the rate so each holds about the same time, as usual for this codec.
    const std::uint16_t perChannel = rate <= 11025 ? 256 : rate <= 22050 ? 512 : 1024;
    const auto block = static_cast<std::uint16_t>(perChannel * channels);
    const int samples = (block - 4 * channels) * 8 / (4 * channels) + 1;
    const auto avg = static_cast<std::uint32_t>(std::uint64_t(rate) * block / samples);
    return {TagImaAdpcm, channels, rate, avg, block, 4, wordBytes(static_cast<std::uint16_t>(samples))};
}

WaveFormat WaveFormat::gsm610(std::uint32_t rate) {
    // 320 samples in 65 bytes: two GSM frames packed as wave files carry them.
    const auto avg = static_cast<std::uint32_t>(std::uint64_t(rate) * 65 / 320);
    return {TagGsm610, 1, rate, avg, 65, 0, wordBytes(320)};
}

int WaveFormat::samplesPerBlock() const {
    switch (tag) {
    case TagImaAdpcm:
        return channels ? (blockAlign - 4 * channels) * 8 / (4 * channels) + 1 : 0;
    case TagGsm610:
        return 320;
    default:
        return 1;
    }
}

QByteArray WaveFormat::toBytes() const {
    QByteArray bytes(16, '\0');
    char* p = bytes.data();
    qToLittleEndian(tag, p);
    qToLittleEndian(channels, p + 2);
    qToLittleEndian(samplesPerSec, p + 4);
    qToLittleEndian(avgBytesPerSec, p + 8);
    qToLittleEndian(blockAlign, p + 12);
    qToLittleEndian(bitsPerSample, p + 14);
    if (!isPcm())
        bytes += wordBytes(static_cast<std::uint16_t>(extra.size())) + extra;
    return bytes;
}

std::optional<WaveFormat> WaveFormat::fromBytes(const QByteArray& bytes) {
    if (bytes.size() < 16)
        return std::nullopt;
    const char* p = bytes.constData();
    WaveFormat format;
    format.tag = qFromLittleEndian<std::uint16_t>(p);
    format.channels = qFromLittleEndian<std::uint16_t>(p + 2);
    format.samplesPerSec = qFromLittleEndian<std::uint32_t>(p + 4);
    format.avgBytesPerSec = qFromLittleEndian<std::uint32_t>(p + 8);
    format.blockAlign = qFromLittleEndian<std::uint16_t>(p + 12);
    format.bitsPerSample = qFromLittleEndian<std::uint16_t>(p + 14);
    if (!format.isPcm() && bytes.size() >= 18) {
        const int size = qFromLittleEndian<std::uint16_t>(p + 16);
        format.extra = bytes.mid(18, size);
    }
    return format;
}

QString WaveFormat::name() const {
    switch (tag) {
    case TagPcm:
        return QStringLiteral("PCM");
    case TagALaw:
        return QStringLiteral("CCITT A-Law");
    case TagMuLaw:
        return QStringLiteral("CCITT u-Law");
    case TagImaAdpcm:
        return QStringLiteral("IMA ADPCM");
    case TagGsm610:
        return QStringLiteral("GSM 6.10");
    default:
        return {};
    }
}

QString WaveFormat::details() const {
    if (!isSupported())
        return {};
    const QString rate = QString::number(samplesPerSec / 1000.0, 'f', 3);
    const QString layout = channels == 1 ? QStringLiteral("单声道") : QStringLiteral("立体声");
    // GSM has no bits per sample; its byte rate says more.
    const QString size = bitsPerSample ? QStringLiteral("%1 位").arg(bitsPerSample)
                                       : QStringLiteral("%1 字节/秒").arg(avgBytesPerSec);
    return QStringLiteral("%1 kHz, %2, %3").arg(rate, size, layout);
}

QString WaveFormat::description() const {
    const QString text = details();
    return text.isEmpty() ? QString() : name() + QStringLiteral(": ") + text;
}

bool WaveFormat::isSupported() const {
    if (!isUsualRate(samplesPerSec) || channels < 1 || channels > 2)
        return false;
    switch (tag) {
    case TagPcm:
        return (bitsPerSample == 8 || bitsPerSample == 16) && blockAlign == channels * bitsPerSample / 8;
    case TagALaw:
    case TagMuLaw:
        return bitsPerSample == 8 && blockAlign == channels;
    case TagImaAdpcm:
        return bitsPerSample == 4 && blockAlign > 4 * channels &&
               (blockAlign - 4 * channels) % (4 * channels) == 0;
    case TagGsm610:
        return channels == 1 && blockAlign == 65;
    default:
        return false;
    }
}

WaveFormat pcmSuggestion(const WaveFormat& format) {
    if (!format.isSupported())
        throw UserError(QStringLiteral("Conversion not possible."));
    if (format.isPcm())
        return format;
    return WaveFormat::pcm(format.samplesPerSec, 16, format.channels);
}

QList<std::uint16_t> chooserTags() {
    return {TagPcm, TagALaw, TagMuLaw, TagImaAdpcm, TagGsm610};
}

QList<WaveFormat> chooserFormats(std::uint16_t tag) {
    QList<WaveFormat> formats;
    switch (tag) {
    case TagPcm:
        for (auto rate : kPcmRates)
            for (std::uint16_t bits : {8, 16})
                for (std::uint16_t channels : {1, 2})
                    formats << WaveFormat::pcm(rate, bits, channels);
        break;
    case TagALaw:
    case TagMuLaw:
        for (auto rate : kPcmRates)
            for (std::uint16_t channels : {1, 2})
                formats << (tag == TagALaw ? WaveFormat::aLaw(rate, channels)
                                           : WaveFormat::muLaw(rate, channels));
        break;
    case TagImaAdpcm:
        for (auto rate : kBlockCodecRates)
            for (std::uint16_t channels : {1, 2})
                formats << WaveFormat::imaAdpcm(rate, channels);
        break;
    case TagGsm610:
        for (auto rate : kBlockCodecRates)
            formats << WaveFormat::gsm610(rate);
        break;
    default:
        break;
    }
    return formats;
}

} // namespace audio
