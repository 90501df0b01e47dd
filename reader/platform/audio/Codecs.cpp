#include "Codecs.h"

#include <gsm.h>

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace audio::codec {

// G.711 as the standard defines it, segment by segment.
std::uint8_t linearToALaw(std::int16_t sample) {
    int value = sample >> 3; // 13 significant bits
    std::uint8_t mask;
    if (value >= 0) {
        mask = 0xD5;
    } else {
        mask = 0x55;
        value = -value - 1;
    }
    static const int ends[8] = {0x1F, 0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF};
    int segment = 0;
    while (segment < 8 && value > ends[segment])
        ++segment;
    if (segment >= 8)
        return static_cast<std::uint8_t>(0x7F ^ mask);
    int code = segment << 4;
    code |= segment < 2 ? (value >> 1) & 0x0F : (value >> segment) & 0x0F;
    return static_cast<std::uint8_t>(code ^ mask);
}

std::int16_t aLawToLinear(std::uint8_t code) {
    code ^= 0x55;
    int value = (code & 0x0F) << 4;
    const int segment = (code & 0x70) >> 4;
    if (segment == 0)
        value += 8;
    else if (segment == 1)
        value += 0x108;
    else
        value = (value + 0x108) << (segment - 1);
    return static_cast<std::int16_t>((code & 0x80) ? value : -value);
}

std::uint8_t linearToMuLaw(std::int16_t sample) {
    constexpr int bias = 0x84, clip = 32635;
    int value = sample;
    const int sign = value < 0 ? 0x80 : 0;
    if (sign)
        value = -value;
    value = std::min(value, clip) + bias;
    int exponent = 7;
    for (int mask = 0x4000; (value & mask) == 0 && exponent > 0; mask >>= 1)
        --exponent;
    const int mantissa = (value >> (exponent + 3)) & 0x0F;
    return static_cast<std::uint8_t>(~(sign | (exponent << 4) | mantissa));
}

std::int16_t muLawToLinear(std::uint8_t code) {
    code = static_cast<std::uint8_t>(~code);
    const int exponent = (code >> 4) & 0x07;
    int value = (((code & 0x0F) << 3) + 0x84) << exponent;
    value -= 0x84;
    return static_cast<std::int16_t>((code & 0x80) ? -value : value);
}

namespace {

const int kStepTable[89] = {
    7,    8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,   28,
    31,   34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,  118,
    130,  143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,  494,
    544,  598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878, 2066,
    2272, 2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845, 8630,
    9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
const int kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

struct ImaChannel {
    int predictor = 0;
    int index = 0;

    // Applies one code to the state; the encoder and the decoder share this so they never drift.
    void apply(int code) {
        const int step = kStepTable[index];
        int diff = step >> 3;
        if (code & 4)
            diff += step;
        if (code & 2)
            diff += step >> 1;
        if (code & 1)
            diff += step >> 2;
        predictor = std::clamp(code & 8 ? predictor - diff : predictor + diff, -32768, 32767);
        index = std::clamp(index + kIndexTable[code], 0, 88);
    }

    int encode(int sample) {
        const int step = kStepTable[index];
        int diff = sample - predictor;
        int code = 0;
        if (diff < 0) {
            code = 8;
            diff = -diff;
        }
        if (diff >= step) {
            code |= 4;
            diff -= step;
        }
        if (diff >= step >> 1) {
            code |= 2;
            diff -= step >> 1;
        }
        if (diff >= step >> 2)
            code |= 1;
        apply(code);
        return code;
    }
};

} // namespace

QByteArray encodeImaBlock(const std::int16_t* frames, int channels, int samplesPerBlock, int blockAlign) {
    QByteArray block(blockAlign, '\0');
    char* out = block.data();
    std::vector<ImaChannel> state(channels);
    for (int c = 0; c < channels; ++c) {
        // The first frame travels whole in the header; the step index starts where the
        // second sample's difference suggests, so loud blocks do not start too fine.
        state[c].predictor = frames[c];
        const int next = samplesPerBlock > 1 ? frames[channels + c] : frames[c];
        const int diff = std::abs(next - frames[c]);
        int index = 0;
        while (index < 88 && kStepTable[index] < diff)
            ++index;
        state[c].index = index;
        qToLittleEndian(static_cast<std::int16_t>(frames[c]), out + 4 * c);
        out[4 * c + 2] = static_cast<char>(index);
        out[4 * c + 3] = 0;
    }
    char* data = out + 4 * channels;
    // After the header, each channel in turn sends 8 samples in 4 bytes, low nibble first.
    for (int group = 0; 1 + group * 8 < samplesPerBlock; ++group) {
        for (int c = 0; c < channels; ++c) {
            for (int i = 0; i < 8; ++i) {
                const int n = 1 + group * 8 + i;
                const int code = n < samplesPerBlock ? state[c].encode(frames[n * channels + c]) : 0;
                auto& byte = reinterpret_cast<unsigned char&>(data[i / 2]);
                byte |= static_cast<unsigned char>(i % 2 ? code << 4 : code);
            }
            data += 4;
        }
    }
    return block;
}

std::vector<std::int16_t> decodeImaBlock(const char* block, int channels, int samplesPerBlock) {
    std::vector<std::int16_t> frames(static_cast<size_t>(samplesPerBlock) * channels);
    std::vector<ImaChannel> state(channels);
    for (int c = 0; c < channels; ++c) {
        state[c].predictor = qFromLittleEndian<std::int16_t>(block + 4 * c);
        state[c].index = std::clamp(static_cast<int>(static_cast<unsigned char>(block[4 * c + 2])), 0, 88);
        frames[c] = static_cast<std::int16_t>(state[c].predictor);
    }
    const char* data = block + 4 * channels;
    for (int group = 0; 1 + group * 8 < samplesPerBlock; ++group) {
        for (int c = 0; c < channels; ++c) {
            for (int i = 0; i < 8; ++i) {
                const int n = 1 + group * 8 + i;
                if (n >= samplesPerBlock)
                    break;
                const auto byte = static_cast<unsigned char>(data[i / 2]);
                state[c].apply(i % 2 ? byte >> 4 : byte & 0x0F);
                frames[n * channels + c] = static_cast<std::int16_t>(state[c].predictor);
            }
            data += 4;
        }
    }
    return frames;
}

struct Gsm610::State {
    gsm handle = gsm_create();
    State() {
        int one = 1;
        gsm_option(handle, GSM_OPT_WAV49, &one);
    }
    ~State() { gsm_destroy(handle); }
};

Gsm610::Gsm610() : encoder_(std::make_unique<State>()), decoder_(std::make_unique<State>()) {}
Gsm610::~Gsm610() = default;

QByteArray Gsm610::encodeBlock(const std::int16_t* samples) {
    // In the wave packing the first frame takes 32 bytes and the second 33.
    QByteArray block(65, '\0');
    gsm_signal frame[160];
    auto* out = reinterpret_cast<gsm_byte*>(block.data());
    std::copy(samples, samples + 160, frame);
    gsm_encode(encoder_->handle, frame, out);
    std::copy(samples + 160, samples + 320, frame);
    gsm_encode(encoder_->handle, frame, out + 32);
    return block;
}

std::vector<std::int16_t> Gsm610::decodeBlock(const char* block) {
    std::vector<std::int16_t> samples(320);
    gsm_byte bytes[65];
    std::memcpy(bytes, block, 65);
    gsm_decode(decoder_->handle, bytes, samples.data());
    gsm_decode(decoder_->handle, bytes + 33, samples.data() + 160);
    return samples;
}

} // namespace audio::codec
