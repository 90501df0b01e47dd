#include "platform/ErrorGuard.h"
#include "platform/audio/ConversionChain.h"
#include "platform/audio/WaveFormat.h"

#include <QtEndian>
#include <QtTest>

#include <cmath>

using namespace audio;

namespace {

QByteArray tone(double frequency, int rate, int channels, double seconds, double amplitude = 0.5) {
    const int frames = static_cast<int>(rate * seconds);
    QByteArray bytes(frames * channels * 2, '\0');
    for (int i = 0; i < frames; ++i) {
        const auto s =
            static_cast<std::int16_t>(amplitude * 32767 * std::sin(2 * M_PI * frequency * i / rate));
        for (int c = 0; c < channels; ++c)
            qToLittleEndian(s, bytes.data() + (i * channels + c) * 2);
    }
    return bytes;
}

std::vector<double> samplesOf(const QByteArray& pcm16) {
    std::vector<double> out(pcm16.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = qFromLittleEndian<std::int16_t>(pcm16.constData() + 2 * i) / 32768.0;
    return out;
}

double zeroCrossingFrequency(const std::vector<double>& s, int rate) {
    int crossings = 0;
    for (size_t i = 1; i < s.size(); ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings / 2.0 / (double(s.size()) / rate);
}

// Pushes in uneven pieces, as buffers arrive from a device.
QByteArray convert(ConversionChain& chain, const QByteArray& input) {
    QByteArray out;
    for (qsizetype at = 0, piece = 1001; at < input.size(); at += piece, piece = piece * 7 % 3001 + 2)
        out += chain.push(input.mid(at, piece));
    return out;
}

} // namespace

class AudioFormatsTest : public QObject {
    Q_OBJECT
private slots:
    void formatStructure_data() {
        QTest::addColumn<WaveFormat>("format");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("description");
        QTest::newRow("pcm initial") << WaveFormat::pcm(11025, 8, 2) << 16
                                     << u"PCM: 11.025 kHz, 8 位, 立体声"_qs;
        QTest::newRow("pcm 16 mono") << WaveFormat::pcm(44100, 16, 1) << 16
                                     << u"PCM: 44.100 kHz, 16 位, 单声道"_qs;
        QTest::newRow("a-law") << WaveFormat::aLaw(8000, 1) << 18
                               << u"CCITT A-Law: 8.000 kHz, 8 位, 单声道"_qs;
        QTest::newRow("u-law") << WaveFormat::muLaw(22050, 2) << 18
                               << u"CCITT u-Law: 22.050 kHz, 8 位, 立体声"_qs;
        QTest::newRow("ima") << WaveFormat::imaAdpcm(11025, 1) << 20
                             << u"IMA ADPCM: 11.025 kHz, 4 位, 单声道"_qs;
        QTest::newRow("gsm") << WaveFormat::gsm610(8000) << 20
                             << u"GSM 6.10: 8.000 kHz, 1625 字节/秒, 单声道"_qs;
    }
    void formatStructure() {
        QFETCH(WaveFormat, format);
        QFETCH(int, size);
        QFETCH(QString, description);
        const QByteArray bytes = format.toBytes();
        QCOMPARE(bytes.size(), size);
        QCOMPARE(WaveFormat::fromBytes(bytes), format);
        QCOMPARE(format.description(), description);
        QVERIFY(format.isSupported());
    }

    void knownLayouts() {
        QCOMPARE(WaveFormat::pcm(11025, 8, 2).avgBytesPerSec, 22050u);
        const WaveFormat ima = WaveFormat::imaAdpcm(11025, 1);
        QCOMPARE(ima.blockAlign, 256);
        QCOMPARE(ima.samplesPerBlock(), 505);
        QCOMPARE(qFromLittleEndian<std::uint16_t>(ima.extra.constData()), 505);
        QCOMPARE(ima.avgBytesPerSec, 5588u);
    }

    void unknownFormatHasNoDescriptionAndNoConversion() {
        WaveFormat odd = WaveFormat::pcm(11025, 24, 1);
        QVERIFY(odd.description().isEmpty());
        QVERIFY_THROWS_EXCEPTION(UserError, pcmSuggestion(odd));
        odd.tag = 0x0055; // MPEG layer 3
        QVERIFY(odd.name().isEmpty());
        try {
            ConversionChain chain(odd, WaveFormat::pcm(11025, 16, 1));
            QFAIL("no conversion expected");
        } catch (const UserError& error) {
            QCOMPARE(error.text(), u"Conversion not possible."_qs);
        }
    }

    void chooserOffersOnlyWhatItCanConvert() {
        for (auto tag : chooserTags())
            for (const WaveFormat& format : chooserFormats(tag)) {
                QVERIFY2(format.isSupported(), qPrintable(format.description()));
                QCOMPARE(planConversion(pcmSuggestion(format), format).size(), 2);
            }
    }

    void plans_data() {
        QTest::addColumn<WaveFormat>("in");
        QTest::addColumn<WaveFormat>("out");
        QTest::addColumn<QList<WaveFormat>>("formats");
        const auto p = &WaveFormat::pcm;
        QTest::newRow("pcm to pcm") << p(11025, 8, 2) << p(44100, 16, 1)
                                    << QList{p(11025, 8, 2), p(44100, 16, 1)};
        QTest::newRow("decode") << WaveFormat::gsm610(8000) << p(8000, 16, 1)
                                << QList{WaveFormat::gsm610(8000), p(8000, 16, 1)};
        QTest::newRow("encode via one pcm")
            << p(11025, 8, 2) << WaveFormat::gsm610(8000)
            << QList{p(11025, 8, 2), p(8000, 16, 1), WaveFormat::gsm610(8000)};
        QTest::newRow("decode via one pcm")
            << WaveFormat::aLaw(8000, 1) << p(8000, 8, 1)
            << QList{WaveFormat::aLaw(8000, 1), p(8000, 16, 1), p(8000, 8, 1)};
        QTest::newRow("two intermediates") << WaveFormat::imaAdpcm(22050, 2) << WaveFormat::muLaw(8000, 1)
                                           << QList{WaveFormat::imaAdpcm(22050, 2), p(22050, 16, 2),
                                                    p(8000, 16, 1), WaveFormat::muLaw(8000, 1)};
        QTest::newRow("compressed same rate")
            << WaveFormat::aLaw(8000, 1) << WaveFormat::gsm610(8000)
            << QList{WaveFormat::aLaw(8000, 1), p(8000, 16, 1), WaveFormat::gsm610(8000)};
    }
    void plans() {
        QFETCH(WaveFormat, in);
        QFETCH(WaveFormat, out);
        QFETCH(QList<WaveFormat>, formats);
        QCOMPARE(planConversion(in, out), formats);
    }

    // Encode then decode a tone: the error stays within what each codec is known to lose,
    // and the tone keeps its pitch.
    void roundTrips_data() {
        QTest::addColumn<WaveFormat>("format");
        QTest::addColumn<double>("maxRmsError");
        QTest::newRow("pcm 8 bit") << WaveFormat::pcm(8000, 8, 1) << 0.02;
        QTest::newRow("a-law") << WaveFormat::aLaw(8000, 1) << 0.02;
        QTest::newRow("u-law stereo") << WaveFormat::muLaw(11025, 2) << 0.02;
        QTest::newRow("ima adpcm") << WaveFormat::imaAdpcm(11025, 1) << 0.03;
        QTest::newRow("ima adpcm stereo") << WaveFormat::imaAdpcm(22050, 2) << 0.03;
        QTest::newRow("gsm 6.10") << WaveFormat::gsm610(8000) << 0.25;
    }
    void roundTrips() {
        QFETCH(WaveFormat, format);
        QFETCH(double, maxRmsError);
        const WaveFormat pcm = WaveFormat::pcm(format.samplesPerSec, 16, format.channels);
        const QByteArray input = tone(440, static_cast<int>(format.samplesPerSec), format.channels, 1.0);
        ConversionChain encoder(pcm, format);
        ConversionChain decoder(format, pcm);
        const QByteArray encoded = convert(encoder, input);
        QCOMPARE(encoded.size() % format.blockAlign, 0);
        const QByteArray decoded = convert(decoder, encoded);
        QVERIFY(decoded.size() > input.size() * 9 / 10);

        const auto original = samplesOf(input);
        const auto result = samplesOf(decoded);
        double error = 0, signal = 0;
        const size_t skip = 400 * format.channels; // codecs settle during their first frames
        for (size_t i = skip; i < result.size(); ++i) {
            error += (result[i] - original[i]) * (result[i] - original[i]);
            signal += original[i] * original[i];
        }
        const double rms =
            std::sqrt(error / (result.size() - skip)) / std::sqrt(signal / (result.size() - skip));
        QVERIFY2(rms < maxRmsError, qPrintable(QString::number(rms)));
        std::vector<double> left;
        for (size_t i = 0; i < result.size(); i += format.channels)
            left.push_back(result[i]);
        QVERIFY(std::abs(zeroCrossingFrequency(left, static_cast<int>(format.samplesPerSec)) - 440) < 10);
    }

    void resamplingKeepsPitch() {
        ConversionChain chain(WaveFormat::pcm(11025, 16, 2), WaveFormat::pcm(8000, 8, 1));
        QByteArray out = convert(chain, tone(440, 11025, 2, 2.0));
        QVERIFY2(std::abs(out.size() - 16000) < 800, // the resampler keeps its filter delay
                 qPrintable(QString::number(out.size())));
        ConversionChain widen(WaveFormat::pcm(8000, 8, 1), WaveFormat::pcm(8000, 16, 1));
        const auto samples = samplesOf(widen.push(out));
        QVERIFY(std::abs(zeroCrossingFrequency({samples.begin() + 500, samples.end()}, 8000) - 440) < 10);
    }
};

QTEST_GUILESS_MAIN(AudioFormatsTest)
#include "tst_audioformats.moc"
