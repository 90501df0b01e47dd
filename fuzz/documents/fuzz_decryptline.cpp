// Any bytes as a cipher line under any key: DecryptLine must not crash, and any text it gives
// back must come back unchanged through EncryptLine and DecryptLine.
#include "documents/LineCipher.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    // The first byte tells how long the key is; the key follows, the line is the rest.
    const qsizetype keyLength =
        input.isEmpty() ? 0 : std::min<qsizetype>(uint8_t(input[0]) % 17, input.size() - 1);
    const QByteArray key = input.mid(1, keyLength);
    const QByteArray line = input.mid(1 + keyLength);

    const QByteArray plain = DecryptLine(line, key);
    if (plain.contains('\0'))
        std::abort();
    if (DecryptLine(EncryptLine(plain, key), key) != plain)
        std::abort();
    return 0;
}
