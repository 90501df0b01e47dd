#include "RiffWave.h"

#include "platform/ErrorGuard.h"

#include <QIODevice>
#include <QtEndian>

namespace audio {

namespace {

constexpr qint64 kMaxFormatChunk = 512;

QByteArray dword(std::uint32_t value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

[[noreturn]] void invalid() {
    throw UserError(QStringLiteral("Invalid file format."));
}

bool sameId(const QByteArray& id, const char* name) {
    return id.size() == 4 && id.compare(QByteArrayView(name, 4), Qt::CaseInsensitive) == 0;
}

} // namespace

RiffWaveWriter::~RiffWaveWriter() {
    finish();
}

void RiffWaveWriter::append(const QByteArray& block) {
    if (block.isEmpty() || finished_)
        return;
    if (!started_) {
        const QByteArray fmt = format_.toBytes();
        QByteArray header = "RIFF" + dword(0) + "WAVE" + "fmt " + dword(fmt.size()) + fmt + "data";
        start_ = device_.pos();
        sizesAt_ = start_ + header.size();
        header += dword(0);
        device_.write(header);
        started_ = true;
    }
    device_.write(block);
    dataSize_ += block.size();
}

void RiffWaveWriter::finish() {
    if (finished_ || !started_)
        return;
    finished_ = true;
    if (dataSize_ % 2)
        device_.write(QByteArray(1, '\0')); // chunks end on a word boundary
    const qint64 end = device_.pos();
    device_.seek(start_ + 4);
    device_.write(dword(static_cast<std::uint32_t>(end - start_ - 8)));
    device_.seek(sizesAt_);
    device_.write(dword(static_cast<std::uint32_t>(dataSize_)));
    device_.seek(end);
}

QByteArray DataStream::read(qint64 count) {
    count = std::clamp<qint64>(count, 0, remaining());
    if (count == 0 || !device_.seek(offset_ + position_))
        return {};
    QByteArray bytes = device_.read(count);
    position_ += bytes.size();
    if (bytes.size() < count)
        position_ = size_; // the file shrank under us: treat the rest as gone
    return bytes;
}

RiffWaveReader::RiffWaveReader(QIODevice& device) : device_(device) {
    const qint64 fileEnd = device.size();
    device.seek(0);
    const QByteArray header = device.read(12);
    if (header.size() < 12 || !sameId(header.left(4), "RIFF") ||
        qFromLittleEndian<std::uint32_t>(header.constData() + 4) == 0 || !sameId(header.mid(8, 4), "WAVE"))
        invalid();

    bool haveFormat = false, haveData = false;
    qint64 at = 12;
    while (!(haveFormat && haveData) && at + 8 <= fileEnd) {
        device.seek(at);
        const QByteArray chunk = device.read(8);
        if (chunk.size() < 8)
            break;
        const qint64 size = qFromLittleEndian<std::uint32_t>(chunk.constData() + 4);
        const qint64 body = at + 8;
        if (sameId(chunk.left(4), "fmt ")) {
            if (size > kMaxFormatChunk)
                invalid();
            const auto format = WaveFormat::fromBytes(device.read(size));
            if (!format)
                invalid();
            format_ = *format;
            haveFormat = true;
        } else if (sameId(chunk.left(4), "data")) {
            // A data size beyond the end of the file (a cut-off recording) means what is there.
            dataOffset_ = body;
            dataSize_ = std::clamp<qint64>(size, 0, fileEnd - body);
            haveData = true;
        }
        at = body + size + (size % 2);
    }
    if (!haveFormat || !haveData)
        invalid();
}

} // namespace audio
