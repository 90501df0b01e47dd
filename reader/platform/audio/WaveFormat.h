#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace audio {

// Wave format tags as they stand in a RIFF "fmt " chunk.
enum FormatTag : std::uint16_t {
    TagPcm = 0x0001,
    TagALaw = 0x0006,
    TagMuLaw = 0x0007,
    TagImaAdpcm = 0x0011,
    TagGsm610 = 0x0031,
};

// The wave format structure: the 16 PCM bytes, plus a size word and extra bytes for the others.
struct WaveFormat {
    std::uint16_t tag = TagPcm;
    std::uint16_t channels = 2;
    std::uint32_t samplesPerSec = 11025;
    std::uint32_t avgBytesPerSec = 22050;
    std::uint16_t blockAlign = 2;
    std::uint16_t bitsPerSample = 8;
    QByteArray extra;

    static WaveFormat pcm(std::uint32_t rate, std::uint16_t bits, std::uint16_t channels);
    static WaveFormat aLaw(std::uint32_t rate, std::uint16_t channels);
    static WaveFormat muLaw(std::uint32_t rate, std::uint16_t channels);
    static WaveFormat imaAdpcm(std::uint32_t rate, std::uint16_t channels);
    static WaveFormat gsm610(std::uint32_t rate);

    bool isPcm() const { return tag == TagPcm; }
    // Sample frames in one block: 1 for PCM and G.711, more for the block codecs.
    int samplesPerBlock() const;

    // The bytes of the "fmt " chunk: 16 for PCM, 18 plus the extra bytes otherwise.
    QByteArray toBytes() const;
    // Reads the structure of a "fmt " chunk; empty when it is too short to hold one.
    static std::optional<WaveFormat> fromBytes(const QByteArray& bytes);

    // "PCM", "CCITT A-Law", ...; empty for a tag we do not know.
    QString name() const;
    // "11.025 kHz, 8 位, 立体声"; empty when the format is not one we can handle.
    QString details() const;
    // "PCM: 11.025 kHz, 8 位, 立体声"; empty when there are no details.
    QString description() const;

    // Whether our codecs can read and write this format exactly as it stands.
    bool isSupported() const;

    bool operator==(const WaveFormat&) const = default;
};

// The PCM format a format is converted from or to: the format itself for PCM, otherwise
// 16-bit PCM at its rate and channels. Throws "Conversion not possible." when there is none.
WaveFormat pcmSuggestion(const WaveFormat& format);

// Every format the chooser offers, grouped by tag in this order.
QList<std::uint16_t> chooserTags();
QList<WaveFormat> chooserFormats(std::uint16_t tag);

} // namespace audio
