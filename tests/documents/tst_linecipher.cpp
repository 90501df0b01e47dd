#include "documents/LineCipher.h"

#include <QRandomGenerator>
#include <QTest>

#include <openssl/des.h>

#include <cstring>

namespace {

// OpenSSL's DES in ECB mode over zero-filled blocks, written as uppercase hex.
QByteArray opensslLine(const QByteArray& text, const QByteArray& keyString) {
    const CipherKey folded = MakeCipherKey(keyString);
    DES_cblock key;
    std::copy(folded.begin(), folded.end(), key);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&key, &schedule);
    QByteArray padded = text;
    const qsizetype blocks = text.isEmpty() ? 1 : (text.size() + 7) / 8;
    padded.append(QByteArray(blocks * 8 - text.size(), '\0'));
    QByteArray cipher(padded.size(), '\0');
    for (qsizetype b = 0; b < blocks; ++b) {
        DES_cblock in;
        DES_cblock out;
        std::memcpy(in, padded.constData() + b * 8, 8);
        DES_ecb_encrypt(&in, &out, &schedule, DES_ENCRYPT);
        std::memcpy(cipher.data() + b * 8, out, 8);
    }
    return cipher.toHex().toUpper();
}

CipherKey keyFromHex(const char* hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    CipherKey key{};
    std::copy(bytes.begin(), bytes.end(), key.begin());
    return key;
}

} // namespace

class LineCipherTest : public QObject {
    Q_OBJECT
private slots:
    void knownAnswers_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        QTest::newRow("classic worked example") << QByteArray("133457799BBCDFF1") << QByteArray("0123456789ABCDEF")
                                                << QByteArray("85E813540F0AB405");
        QTest::newRow("zero result") << QByteArray("0E329232EA6D0D73") << QByteArray("8787878787878787")
                                     << QByteArray("0000000000000000");
        QTest::newRow("variable plaintext 1") << QByteArray("0101010101010101") << QByteArray("95F8A5E5DD31D900")
                                              << QByteArray("8000000000000000");
        QTest::newRow("variable key 1") << QByteArray("8001010101010101") << QByteArray("0000000000000000")
                                        << QByteArray("95A8D72813DAA94D");
    }
    void knownAnswers() {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        const CipherKey k = keyFromHex(key.constData());
        const quint64 p = plain.toULongLong(nullptr, 16);
        const quint64 c = cipher.toULongLong(nullptr, 16);
        QCOMPARE(DesBlock(p, k, true), c);
        QCOMPARE(DesBlock(c, k, false), p);
    }

    void matchesOpenSsl_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("document key, empty") << QByteArray("qomax") << QByteArray();
        QTest::newRow("document key, 8 bytes") << QByteArray("qomax") << QByteArray("12345678");
        QTest::newRow("document key, 9 bytes") << QByteArray("qomax") << QByteArray("123456789");
        QTest::newRow("line breaks and GBK") << QByteArray("qomax") << QByteArray("a\r\nb\t\xc4\xe3\xba\xc3");
        QTest::newRow("empty key") << QByteArray() << QByteArray("hello world");
        QTest::newRow("long key wraps") << QByteArray("a much longer key string") << QByteArray("text");
        QTest::newRow("high bytes in key") << QByteArray("\xff\xfe\x80") << QByteArray("\x01\x02\x03");
        QRandomGenerator rng(20121);
        for (int i = 0; i < 12; ++i) {
            QByteArray key(static_cast<int>(rng.bounded(0, 20)), Qt::Uninitialized);
            QByteArray text(static_cast<int>(rng.bounded(0, 300)), Qt::Uninitialized);
            for (char& c : key)
                c = static_cast<char>(rng.bounded(1, 256));
            for (char& c : text)
                c = static_cast<char>(rng.bounded(1, 256));
            QTest::addRow("random %d", i) << key << text;
        }
    }
    void matchesOpenSsl() {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, text);
        const QByteArray line = EncryptLine(text, key);
        QCOMPARE(line, opensslLine(text, key));
        QCOMPARE(DecryptLine(line, key), text);
        QCOMPARE(DecryptLine(line.toLower(), key), text);
    }

    void keyFolding() {
        const CipherKey five = MakeCipherKey("qomax");
        QCOMPARE(five, (CipherKey{0, 'q', 'o', 'm', 'a', 'x', 0, 0}));
        QCOMPARE(MakeCipherKey(""), CipherKey{});
        // The ninth byte lands on the slot the first one filled, wrapping at 256.
        const CipherKey nine = MakeCipherKey("\x80" "bcdefg" "h" "\x90");
        QCOMPARE(nine[0], std::uint8_t('h'));
        QCOMPARE(nine[1], std::uint8_t(0x10));
        // Keys that differ only in parity bits act the same.
        const QByteArray text("parity");
        QCOMPARE(EncryptLine(text, "qomax"), EncryptLine(text, "qolax")); // 'm' and 'l' differ in bit 0 only
    }

    void lineShape() {
        QCOMPARE(EncryptLine({}, "qomax").size(), 16);
        QCOMPARE(EncryptLine("12345678", "qomax").size(), 16);
        QCOMPARE(EncryptLine("123456789", "qomax").size(), 32);
        QCOMPARE(EncryptLine("1234567890123456", "qomax").size(), 32);
        const QByteArray line = EncryptLine("line\r\nbreak\ttab \xd6\xd0", "qomax");
        for (char c : line)
            QVERIFY2((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'), line.constData());
        QCOMPARE(DecryptLine(EncryptLine({}, "qomax"), "qomax"), QByteArray());
    }

    void zeroByteCutsText() {
        QCOMPARE(DecryptLine(EncryptLine(QByteArray("ab\0cd", 5), "k"), "k"), QByteArray("ab"));
    }

    void badLines_data() {
        QTest::addColumn<QByteArray>("line");
        const QByteArray good = EncryptLine("hello", "qomax");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("trailing space") << good + ' ';
        QTest::newRow("stray letter") << QByteArray(good).replace(3, 1, "G");
        QTest::newRow("sign") << QByteArray("-") + good;
        QTest::newRow("line break") << good + '\r';
    }
    void badLines() {
        QFETCH(QByteArray, line);
        QCOMPARE(DecryptLine(line, "qomax"), QByteArray());
    }

    void truncatedLineDoesNotCrash() {
        const QByteArray line = EncryptLine("a longer text of several blocks", "qomax");
        for (qsizetype n = 1; n < line.size(); n += 5)
            DecryptLine(line.left(n), "qomax"); // arbitrary text, but no failure
    }
};

QTEST_APPLESS_MAIN(LineCipherTest)
#include "tst_linecipher.moc"
