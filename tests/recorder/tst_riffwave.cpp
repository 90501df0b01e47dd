#include "platform/ErrorGuard.h"
#include "platform/audio/RiffWave.h"

#include <QBuffer>
#include <QtEndian>
#include <QtTest>

using namespace audio;

namespace {

QByteArray dword(std::uint32_t value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray& id, const QByteArray& body) {
    return id + dword(body.size()) + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray riff(const QByteArray& chunks, const QByteArray& riffId = "RIFF",
                const QByteArray& waveId = "WAVE") {
    return riffId + dword(4 + chunks.size()) + waveId + chunks;
}

const QByteArray kFormat = WaveFormat::pcm(8000, 16, 1).toBytes();

} // namespace

class RiffWaveTest : public QObject {
    Q_OBJECT
private slots:
    void writerProducesExactLayout_data() {
        QTest::addColumn<WaveFormat>("format");
        QTest::addColumn<int>("formatSize");
        QTest::addColumn<int>("dataSize");
        QTest::newRow("pcm") << WaveFormat::pcm(11025, 8, 2) << 16 << 22050;
        QTest::newRow("gsm") << WaveFormat::gsm610(8000) << 20 << 650;
        QTest::newRow("odd data") << WaveFormat::pcm(8000, 8, 1) << 16 << 101;
    }
    void writerProducesExactLayout() {
        QFETCH(WaveFormat, format);
        QFETCH(int, formatSize);
        QFETCH(int, dataSize);
        QBuffer file;
        file.open(QIODevice::ReadWrite);
        {
            RiffWaveWriter writer(file);
            writer.setFormat(format);
            writer.append(QByteArray(dataSize - dataSize / 3, 'a'));
            writer.append({});
            writer.append(QByteArray(dataSize / 3, 'b'));
        }
        const QByteArray bytes = file.data();
        const int padded = dataSize + dataSize % 2;
        QCOMPARE(bytes.size(), 12 + 8 + formatSize + 8 + padded);
        QCOMPARE(bytes.left(4), "RIFF");
        QCOMPARE(qFromLittleEndian<std::uint32_t>(bytes.constData() + 4), std::uint32_t(bytes.size() - 8));
        QCOMPARE(bytes.mid(8, 8), "WAVEfmt ");
        QCOMPARE(qFromLittleEndian<std::uint32_t>(bytes.constData() + 16), std::uint32_t(formatSize));
        QCOMPARE(bytes.mid(20, formatSize), format.toBytes());
        QCOMPARE(bytes.mid(20 + formatSize, 4), "data");
        QCOMPARE(qFromLittleEndian<std::uint32_t>(bytes.constData() + 24 + formatSize),
                 std::uint32_t(dataSize));

        RiffWaveReader reader(file);
        QCOMPARE(reader.format(), format);
        QCOMPARE(reader.dataSize(), dataSize);
        DataStream data = reader.dataStream();
        QCOMPARE(data.read(dataSize + 10).right(1), "b");
        QCOMPARE(data.remaining(), 0);
    }

    void writerWithoutDataLeavesEmptyFile() {
        QBuffer file;
        file.open(QIODevice::ReadWrite);
        { RiffWaveWriter writer(file); }
        QVERIFY(file.data().isEmpty());
    }

    void readerRefuses_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray data = chunk("data", "abcd");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("not riff") << riff(chunk("fmt ", kFormat) + data, "RIFX");
        QTest::newRow("zero riff size")
            << QByteArray("RIFF" + dword(0) + "WAVE" + chunk("fmt ", kFormat) + data);
        QTest::newRow("not wave") << riff(chunk("fmt ", kFormat) + data, "RIFF", "AVI ");
        QTest::newRow("no format") << riff(data);
        QTest::newRow("no data") << riff(chunk("fmt ", kFormat));
        QTest::newRow("format too short") << riff(chunk("fmt ", kFormat.left(14)) + data);
        QTest::newRow("format over 512") << riff(chunk("fmt ", kFormat + QByteArray(498, '\0')) + data);
        QTest::newRow("cut in header") << QByteArray("RIFF" + dword(100) + "WA");
    }
    void readerRefuses() {
        QFETCH(QByteArray, bytes);
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        try {
            RiffWaveReader reader(file);
            QFAIL("accepted");
        } catch (const UserError& error) {
            QCOMPARE(error.text(), u"Invalid file format."_qs);
        }
    }

    void readerAccepts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("dataSize");
        QTest::newRow("names in any case")
            << riff(chunk("FMT ", kFormat) + chunk("Data", "abcd"), "riff", "wave") << qint64(4);
        QTest::newRow("other chunks skipped, odd one padded")
            << riff(chunk("LIST", "xyz") + chunk("fmt ", kFormat) + chunk("fact", "1234") +
                    chunk("data", "abcdef"))
            << qint64(6);
        QTest::newRow("format of exactly 512")
            << riff(chunk("fmt ", kFormat + QByteArray(496, '\0')) + chunk("data", "ab")) << qint64(2);
        QTest::newRow("data cut off")
            << QByteArray(riff(chunk("fmt ", kFormat)) + "data" + dword(1000) + "abc") << qint64(3);
        QTest::newRow("empty data") << riff(chunk("fmt ", kFormat) + chunk("data", "")) << qint64(0);
    }
    void readerAccepts() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, dataSize);
        QBuffer file(&bytes);
        file.open(QIODevice::ReadOnly);
        RiffWaveReader reader(file);
        QCOMPARE(reader.format(), WaveFormat::pcm(8000, 16, 1));
        QCOMPARE(reader.dataSize(), dataSize);
        QCOMPARE(reader.dataStream().read(dataSize).size(), dataSize);
    }
};

QTEST_GUILESS_MAIN(RiffWaveTest)
#include "tst_riffwave.moc"
