// Feeds arbitrary bytes to the wave file reader and reads the whole data chunk it finds.
#include "platform/ErrorGuard.h"
#include "platform/audio/RiffWave.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    try {
        audio::RiffWaveReader reader(file);
        if (reader.dataOffset() + reader.dataSize() > bytes.size())
            __builtin_trap();
        audio::DataStream stream = reader.dataStream();
        while (stream.remaining() > 0)
            if (stream.read(4096).isEmpty())
                break;
        (void)reader.format().description();
    } catch (const UserError&) {
    }
    return 0;
}
