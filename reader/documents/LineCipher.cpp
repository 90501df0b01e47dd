#include "LineCipher.h"

#include <cstring>

namespace {

using u64 = std::uint64_t;
using u32 = std::uint32_t;

constexpr std::uint8_t kIP[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                                  62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                                  57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                                  61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};
constexpr std::uint8_t kFP[64] = {40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
                                  38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
                                  36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
                                  34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25};
constexpr std::uint8_t kP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                 2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};
constexpr std::uint8_t kPC1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
                                   35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
                                   46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};
constexpr std::uint8_t kPC2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                                   26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                                   51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};
constexpr std::uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};
constexpr std::uint8_t kS[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11}};

// Bit n (1 = most significant) of a width-bit value, moved by a permutation table.
template <std::size_t N> u64 permute(u64 in, int inWidth, const std::uint8_t (&table)[N]) {
    u64 out = 0;
    for (std::size_t i = 0; i < N; ++i)
        out = (out << 1) | ((in >> (inWidth - table[i])) & 1u);
    return out;
}

struct Tables {
    u64 ip[8][256];
    u64 fp[8][256];
    u32 sp[8][64]; // S-box followed by P, per six-bit input
};

Tables buildTables() {
    Tables t{};
    for (int byte = 0; byte < 8; ++byte) {
        for (int value = 0; value < 256; ++value) {
            const u64 in = static_cast<u64>(value) << (56 - 8 * byte);
            t.ip[byte][value] = permute(in, 64, kIP);
            t.fp[byte][value] = permute(in, 64, kFP);
        }
    }
    for (int box = 0; box < 8; ++box) {
        for (int v = 0; v < 64; ++v) {
            const int row = ((v >> 4) & 2) | (v & 1);
            const int col = (v >> 1) & 0xF;
            const u64 placed = static_cast<u64>(kS[box][row * 16 + col]) << (28 - 4 * box);
            t.sp[box][v] = static_cast<u32>(permute(placed, 32, kP));
        }
    }
    return t;
}

const Tables& tables() {
    static const Tables t = buildTables();
    return t;
}

u64 byTable(const u64 (&table)[8][256], u64 block) {
    u64 out = 0;
    for (int byte = 0; byte < 8; ++byte)
        out |= table[byte][(block >> (56 - 8 * byte)) & 0xFF];
    return out;
}

using Subkeys = std::array<std::array<std::uint8_t, 8>, 16>;

Subkeys makeSubkeys(const CipherKey& key) {
    u64 k = 0;
    for (std::uint8_t b : key)
        k = (k << 8) | b;
    const u64 cd = permute(k, 64, kPC1);
    u32 c = static_cast<u32>(cd >> 28) & 0x0FFFFFFF;
    u32 d = static_cast<u32>(cd) & 0x0FFFFFFF;
    Subkeys subkeys{};
    for (int round = 0; round < 16; ++round) {
        const int s = kShifts[round];
        c = ((c << s) | (c >> (28 - s))) & 0x0FFFFFFF;
        d = ((d << s) | (d >> (28 - s))) & 0x0FFFFFFF;
        const u64 sub = permute((static_cast<u64>(c) << 28) | d, 56, kPC2);
        for (int i = 0; i < 8; ++i)
            subkeys[round][i] = static_cast<std::uint8_t>((sub >> (42 - 6 * i)) & 0x3F);
    }
    return subkeys;
}

u32 feistel(u32 r, const std::array<std::uint8_t, 8>& subkey, const Tables& t) {
    // The expansion as a 34-bit window: R32, R1 .. R32, R1.
    const u64 ext = (static_cast<u64>(r & 1u) << 33) | (static_cast<u64>(r) << 1) | (r >> 31);
    u32 out = 0;
    for (int i = 0; i < 8; ++i)
        out |= t.sp[i][((ext >> (28 - 4 * i)) & 0x3F) ^ subkey[i]];
    return out;
}

u64 cryptBlock(u64 block, const Subkeys& subkeys, bool encrypt, const Tables& t) {
    const u64 permuted = byTable(t.ip, block);
    u32 l = static_cast<u32>(permuted >> 32);
    u32 r = static_cast<u32>(permuted);
    for (int round = 0; round < 16; ++round) {
        const u32 next = l ^ feistel(r, subkeys[encrypt ? round : 15 - round], t);
        l = r;
        r = next;
    }
    return byTable(t.fp, (static_cast<u64>(r) << 32) | l);
}

u64 loadBlock(const char* bytes, qsizetype available) {
    u64 block = 0;
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t b = i < available ? static_cast<std::uint8_t>(bytes[i]) : 0;
        block = (block << 8) | b;
    }
    return block;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

CipherKey MakeCipherKey(const QByteArray& keyString) {
    CipherKey key{};
    for (qsizetype i = 1; i <= keyString.size(); ++i) {
        auto& slot = key[static_cast<std::size_t>(i % 8)];
        slot = static_cast<std::uint8_t>(slot + static_cast<std::uint8_t>(keyString[i - 1]));
    }
    return key;
}

std::uint64_t DesBlock(std::uint64_t block, const CipherKey& key, bool encrypt) {
    return cryptBlock(block, makeSubkeys(key), encrypt, tables());
}

QByteArray EncryptLine(const QByteArray& text, const QByteArray& keyString) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const Tables& t = tables();
    const Subkeys subkeys = makeSubkeys(MakeCipherKey(keyString));
    const qsizetype blocks = text.isEmpty() ? 1 : (text.size() + 7) / 8;
    QByteArray line(blocks * 16, Qt::Uninitialized);
    char* out = line.data();
    for (qsizetype b = 0; b < blocks; ++b) {
        const u64 cipher =
            cryptBlock(loadBlock(text.constData() + b * 8, text.size() - b * 8), subkeys, true, t);
        for (int nibble = 15; nibble >= 0; --nibble)
            *out++ = kDigits[(cipher >> (4 * nibble)) & 0xF];
    }
    return line;
}

QByteArray DecryptLine(const QByteArray& line, const QByteArray& keyString) {
    if (line.isEmpty())
        return {};
    const qsizetype digits = line.size();
    QByteArray bytes((digits + 1) / 2, Qt::Uninitialized);
    const char* in = line.constData();
    char* out = bytes.data();
    for (qsizetype i = 0; i < digits; i += 2) {
        const int high = hexValue(in[i]);
        if (high < 0)
            return {};
        if (i + 1 == digits) {
            *out = static_cast<char>(high); // an odd last digit is a byte of its own
            break;
        }
        const int low = hexValue(in[i + 1]);
        if (low < 0)
            return {};
        *out++ = static_cast<char>(high * 16 + low);
    }

    const Tables& t = tables();
    const Subkeys subkeys = makeSubkeys(MakeCipherKey(keyString));
    const qsizetype blocks = (bytes.size() + 7) / 8;
    QByteArray plain(blocks * 8, Qt::Uninitialized);
    char* clearOut = plain.data();
    for (qsizetype b = 0; b < blocks; ++b) {
        const u64 clear =
            cryptBlock(loadBlock(bytes.constData() + b * 8, bytes.size() - b * 8), subkeys, false, t);
        for (int i = 0; i < 8; ++i)
            *clearOut++ = static_cast<char>((clear >> (56 - 8 * i)) & 0xFF);
    }
    const qsizetype zero = plain.indexOf('\0');
    if (zero >= 0)
        plain.truncate(zero);
    return plain;
}
