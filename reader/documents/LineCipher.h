#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

// DES in electronic codebook mode over byte strings, with the key folded from a key string
// and the cipher text written as one line of uppercase hexadecimal digits.
using CipherKey = std::array<std::uint8_t, 8>;

CipherKey MakeCipherKey(const QByteArray& keyString);
QByteArray EncryptLine(const QByteArray& text, const QByteArray& keyString);
// A line that is empty or holds anything but hexadecimal digits gives the empty text.
QByteArray DecryptLine(const QByteArray& line, const QByteArray& keyString);

// One DES block operation, exposed for the known-answer tests.
std::uint64_t DesBlock(std::uint64_t block, const CipherKey& key, bool encrypt);
