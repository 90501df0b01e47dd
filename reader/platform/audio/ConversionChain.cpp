#include "ConversionChain.h"

#include "Codecs.h"
#include "platform/ErrorGuard.h"

#include <soxr.h>

#include <QtEndian>

#include <cstring>

namespace audio {

namespace {

using Samples = std::vector<std::int16_t>;

[[noreturn]] void notPossible() {
    throw UserError(QStringLiteral("Conversion not possible."));
}

// Collects input until whole units of `unit` bytes are there.
class Collector {
public:
    explicit Collector(int unit) : unit_(unit) {}
    QByteArray take(const QByteArray& input) {
        pending_ += input;
        const qsizetype whole = pending_.size() / unit_ * unit_;
        QByteArray ready = pending_.left(whole);
        pending_.remove(0, whole);
        return ready;
    }

private:
    int unit_;
    QByteArray pending_;
};

Samples toSamples(const QByteArray& bytes, int bits) {
    Samples samples;
    if (bits == 8) {
        samples.reserve(bytes.size());
        for (char byte : bytes)
            samples.push_back(static_cast<std::int16_t>((static_cast<unsigned char>(byte) - 128) << 8));
    } else {
        samples.resize(bytes.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<std::int16_t>(bytes.constData() + 2 * i);
    }
    return samples;
}

QByteArray fromSamples(const Samples& samples, int bits) {
    QByteArray bytes;
    if (bits == 8) {
        bytes.resize(static_cast<qsizetype>(samples.size()));
        for (size_t i = 0; i < samples.size(); ++i)
            bytes[i] = static_cast<char>((samples[i] >> 8) + 128);
    } else {
        bytes.resize(static_cast<qsizetype>(samples.size() * 2));
        for (size_t i = 0; i < samples.size(); ++i)
            qToLittleEndian(samples[i], bytes.data() + 2 * i);
    }
    return bytes;
}

Samples remix(const Samples& in, int from, int to) {
    if (from == to)
        return in;
    Samples out;
    if (from == 2) {
        out.reserve(in.size() / 2);
        for (size_t i = 0; i + 1 < in.size(); i += 2)
            out.push_back(static_cast<std::int16_t>((in[i] + in[i + 1]) / 2));
    } else {
        out.reserve(in.size() * 2);
        for (auto s : in)
            out.insert(out.end(), {s, s});
    }
    return out;
}

// PCM to PCM: sample size, channels and, through libsoxr, the rate.
class PcmStep final : public ConversionStep {
public:
    PcmStep(const WaveFormat& in, const WaveFormat& out) : in_(in), out_(out), collect_(in.blockAlign) {
        if (in.samplesPerSec != out.samplesPerSec) {
            const int channels = std::min(in.channels, out.channels);
            const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
            const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_MQ, 0);
            soxr_error_t error = nullptr;
            resampler_ =
                soxr_create(in.samplesPerSec, out.samplesPerSec, channels, &error, &io, &quality, nullptr);
            if (error)
                notPossible();
            channels_ = channels;
        }
    }
    ~PcmStep() override {
        if (resampler_)
            soxr_delete(resampler_);
    }

    QByteArray push(const QByteArray& input) override {
        Samples samples = toSamples(collect_.take(input), in_.bitsPerSample);
        if (resampler_) {
            // Resample at the smaller channel count, so downmixing happens before and upmixing after.
            samples = resample(remix(samples, in_.channels, channels_));
            samples = remix(samples, channels_, out_.channels);
        } else {
            samples = remix(samples, in_.channels, out_.channels);
        }
        return fromSamples(samples, out_.bitsPerSample);
    }

private:
    Samples resample(const Samples& in) {
        const size_t frames = in.size() / channels_;
        Samples out;
        if (frames == 0)
            return out; // a null input would tell libsoxr the stream has ended
        const size_t room = frames * out_.samplesPerSec / in_.samplesPerSec + 64;
        size_t consumed = 0;
        while (consumed < frames) {
            Samples chunk(room * channels_);
            size_t used = 0, made = 0;
            soxr_process(resampler_, in.data() + consumed * channels_, frames - consumed, &used, chunk.data(),
                         room, &made);
            consumed += used;
            out.insert(out.end(), chunk.begin(),
                       chunk.begin() + static_cast<std::ptrdiff_t>(made * channels_));
            if (used == 0 && made == 0)
                break;
        }
        return out;
    }

    WaveFormat in_, out_;
    Collector collect_;
    soxr_t resampler_ = nullptr;
    int channels_ = 1;
};

class G711Encoder final : public ConversionStep {
public:
    explicit G711Encoder(bool aLaw) : aLaw_(aLaw), collect_(2) {}
    QByteArray push(const QByteArray& input) override {
        const Samples samples = toSamples(collect_.take(input), 16);
        QByteArray out(static_cast<qsizetype>(samples.size()), '\0');
        for (size_t i = 0; i < samples.size(); ++i)
            out[i] =
                static_cast<char>(aLaw_ ? codec::linearToALaw(samples[i]) : codec::linearToMuLaw(samples[i]));
        return out;
    }

private:
    bool aLaw_;
    Collector collect_;
};

class G711Decoder final : public ConversionStep {
public:
    explicit G711Decoder(bool aLaw) : aLaw_(aLaw) {}
    QByteArray push(const QByteArray& input) override {
        Samples samples(static_cast<size_t>(input.size()));
        for (qsizetype i = 0; i < input.size(); ++i) {
            const auto code = static_cast<std::uint8_t>(input[i]);
            samples[i] = aLaw_ ? codec::aLawToLinear(code) : codec::muLawToLinear(code);
        }
        return fromSamples(samples, 16);
    }

private:
    bool aLaw_;
};

class BlockEncoder final : public ConversionStep {
public:
    explicit BlockEncoder(const WaveFormat& format)
        : format_(format), collect_(format.samplesPerBlock() * format.channels * 2) {}
    QByteArray push(const QByteArray& input) override {
        const Samples samples = toSamples(collect_.take(input), 16);
        const size_t perBlock = static_cast<size_t>(format_.samplesPerBlock()) * format_.channels;
        QByteArray out;
        for (size_t at = 0; at + perBlock <= samples.size(); at += perBlock) {
            out += format_.tag == TagGsm610
                       ? gsm_.encodeBlock(samples.data() + at)
                       : codec::encodeImaBlock(samples.data() + at, format_.channels,
                                               format_.samplesPerBlock(), format_.blockAlign);
        }
        return out;
    }

private:
    WaveFormat format_;
    Collector collect_;
    codec::Gsm610 gsm_;
};

class BlockDecoder final : public ConversionStep {
public:
    explicit BlockDecoder(const WaveFormat& format) : format_(format), collect_(format.blockAlign) {}
    QByteArray push(const QByteArray& input) override {
        const QByteArray blocks = collect_.take(input);
        Samples samples;
        for (qsizetype at = 0; at + format_.blockAlign <= blocks.size(); at += format_.blockAlign) {
            const char* block = blocks.constData() + at;
            const Samples decoded =
                format_.tag == TagGsm610
                    ? gsm_.decodeBlock(block)
                    : codec::decodeImaBlock(block, format_.channels, format_.samplesPerBlock());
            samples.insert(samples.end(), decoded.begin(), decoded.end());
        }
        return fromSamples(samples, 16);
    }

private:
    WaveFormat format_;
    Collector collect_;
    codec::Gsm610 gsm_;
};

class CopyStep final : public ConversionStep {
public:
    QByteArray push(const QByteArray& input) override { return input; }
};

bool isPcm16Of(const WaveFormat& pcm, const WaveFormat& other) {
    return pcm == WaveFormat::pcm(other.samplesPerSec, 16, other.channels);
}

std::unique_ptr<ConversionStep> makeStep(const WaveFormat& in, const WaveFormat& out) {
    if (in == out)
        return std::make_unique<CopyStep>();
    if (in.isPcm() && out.isPcm())
        return std::make_unique<PcmStep>(in, out);
    if (in.isPcm() && isPcm16Of(in, out)) {
        if (out.tag == TagALaw || out.tag == TagMuLaw)
            return std::make_unique<G711Encoder>(out.tag == TagALaw);
        return std::make_unique<BlockEncoder>(out);
    }
    if (out.isPcm() && isPcm16Of(out, in)) {
        if (in.tag == TagALaw || in.tag == TagMuLaw)
            return std::make_unique<G711Decoder>(in.tag == TagALaw);
        return std::make_unique<BlockDecoder>(in);
    }
    notPossible();
}

bool isDirect(const WaveFormat& in, const WaveFormat& out) {
    return in == out || (in.isPcm() && out.isPcm()) || (in.isPcm() && isPcm16Of(in, out)) ||
           (out.isPcm() && isPcm16Of(out, in));
}

} // namespace

QList<WaveFormat> planConversion(const WaveFormat& in, const WaveFormat& out) {
    if (!in.isSupported() || !out.isSupported())
        notPossible();
    if (isDirect(in, out))
        return {in, out};
    QList<WaveFormat> formats{in};
    if (!in.isPcm())
        formats << pcmSuggestion(in);
    if (!out.isPcm() && formats.last() != pcmSuggestion(out))
        formats << pcmSuggestion(out);
    formats << out;
    return formats;
}

ConversionChain::ConversionChain(const WaveFormat& in, const WaveFormat& out)
    : formats_(planConversion(in, out)) {
    for (qsizetype i = 0; i + 1 < formats_.size(); ++i)
        steps_.push_back(makeStep(formats_[i], formats_[i + 1]));
}

ConversionChain::~ConversionChain() = default;

QByteArray ConversionChain::push(const QByteArray& input) {
    QByteArray data = input;
    for (auto& step : steps_)
        data = step->push(data);
    return data;
}

} // namespace audio
