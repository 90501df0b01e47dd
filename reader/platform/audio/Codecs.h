#pragma once

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <vector>

// Sample codecs between 16-bit PCM (interleaved, native order) and the compressed formats.
namespace audio::codec {

std::uint8_t linearToALaw(std::int16_t sample);
std::int16_t aLawToLinear(std::uint8_t code);
std::uint8_t linearToMuLaw(std::int16_t sample);
std::int16_t muLawToLinear(std::uint8_t code);

// One IMA ADPCM block of blockAlign bytes from samplesPerBlock frames, and back.
QByteArray encodeImaBlock(const std::int16_t* frames, int channels, int samplesPerBlock, int blockAlign);
std::vector<std::int16_t> decodeImaBlock(const char* block, int channels, int samplesPerBlock);

// GSM 6.10 in the 65-byte wave packing of two frames; keeps the codec's state between blocks.
class Gsm610 {
public:
    Gsm610();
    ~Gsm610();
    Gsm610(const Gsm610&) = delete;
    Gsm610& operator=(const Gsm610&) = delete;

    QByteArray encodeBlock(const std::int16_t* samples);      // 320 samples -> 65 bytes
    std::vector<std::int16_t> decodeBlock(const char* block); // 65 bytes -> 320 samples

private:
    struct State;
    std::unique_ptr<State> encoder_;
    std::unique_ptr<State> decoder_;
};

} // namespace audio::codec
