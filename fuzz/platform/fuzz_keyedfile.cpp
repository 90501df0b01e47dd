// Any bytes as a keyed file: reading, enumerating and writing back must neither crash nor
// lose the keys it read.
#include "platform/KeyedFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KeyedFile file =
        KeyedFile::fromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    qsizetype keys = 0;
    for (const QString& section : file.sections()) {
        for (const QString& key : file.keys(section)) {
            file.readString(section, key);
            file.readInteger(section, key, 0);
            ++keys;
        }
    }
    const KeyedFile again = KeyedFile::fromBytes(file.toBytes());
    qsizetype keysAgain = 0;
    for (const QString& section : again.sections())
        keysAgain += again.keyCount(section);
    if (keysAgain < keys)
        std::abort();
    return 0;
}
