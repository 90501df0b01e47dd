// EncryptLine and DecryptLine on 1 MB against OpenSSL's DES-ECB doing the same work on the
// same bytes (zero-filled last block, uppercase hex out; hex in for the decryption).
#include "documents/LineCipher.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <openssl/des.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

constexpr int kRounds = 5;

void crypt(const char* from, char* to, DES_key_schedule& schedule, int direction) {
    DES_cblock in;
    DES_cblock out;
    std::memcpy(in, from, 8);
    DES_ecb_encrypt(&in, &out, &schedule, direction);
    std::memcpy(to, out, 8);
}

QByteArray opensslEncrypt(const QByteArray& text, DES_key_schedule& schedule) {
    QByteArray padded = text;
    padded.append(QByteArray((8 - text.size() % 8) % 8, '\0'));
    QByteArray cipher(padded.size(), '\0');
    for (qsizetype at = 0; at < padded.size(); at += 8)
        crypt(padded.constData() + at, cipher.data() + at, schedule, DES_ENCRYPT);
    return cipher.toHex().toUpper();
}

QByteArray opensslDecrypt(const QByteArray& line, DES_key_schedule& schedule) {
    const QByteArray cipher = QByteArray::fromHex(line);
    QByteArray plain(cipher.size(), '\0');
    for (qsizetype at = 0; at + 8 <= cipher.size(); at += 8)
        crypt(cipher.constData() + at, plain.data() + at, schedule, DES_DECRYPT);
    while (!plain.isEmpty() && plain.back() == '\0')
        plain.chop(1);
    return plain;
}

// Best of several rounds, in milliseconds.
double best(const std::function<void()>& work) {
    double fastest = 1e300;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        fastest = std::min(fastest, clock.nsecsElapsed() / 1e6);
    }
    return fastest;
}

} // namespace

int main() {
    QTextStream out(stdout);
    QByteArray text(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(20261211);
    for (char& c : text)
        c = char(1 + random.bounded(255)); // no NUL: a decrypted line ends at its first zero byte
    const QByteArray keyString = QByteArrayLiteral("qomax");

    const CipherKey folded = MakeCipherKey(keyString);
    DES_cblock key;
    std::copy(folded.begin(), folded.end(), key);
    DES_key_schedule schedule;
    DES_set_key_unchecked(&key, &schedule);

    QByteArray ours;
    QByteArray theirs;
    const double encryptOurs = best([&] { ours = EncryptLine(text, keyString); });
    const double encryptTheirs = best([&] { theirs = opensslEncrypt(text, schedule); });
    if (ours != theirs) {
        out << "cipher texts differ\n";
        return 1;
    }
    QByteArray plainOurs;
    QByteArray plainTheirs;
    const double decryptOurs = best([&] { plainOurs = DecryptLine(ours, keyString); });
    const double decryptTheirs = best([&] { plainTheirs = opensslDecrypt(ours, schedule); });
    if (plainOurs != text || plainTheirs != text) {
        out << "decrypted texts differ\n";
        return 1;
    }

    const double mb = text.size() / double(1 << 20);
    out << "EncryptLine: " << encryptOurs << " ms (" << mb / (encryptOurs / 1000)
        << " MB/s), OpenSSL: " << encryptTheirs << " ms\n";
    out << "DecryptLine: " << decryptOurs << " ms (" << mb / (decryptOurs / 1000)
        << " MB/s), OpenSSL: " << decryptTheirs << " ms\n";
    out << "ratio to OpenSSL DES-ECB: encrypt " << encryptOurs / encryptTheirs << ", decrypt "
        << decryptOurs / decryptTheirs << Qt::endl;
    return 0;
}
