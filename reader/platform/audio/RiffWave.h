#pragma once

#include "WaveFormat.h"

#include <QByteArray>

class QIODevice;

namespace audio {

// Writes a RIFF WAVE file: the header with the first block, the sizes when finished.
// No other chunk is written; a writer that got no data leaves the device untouched.
class RiffWaveWriter {
public:
    explicit RiffWaveWriter(QIODevice& device) : device_(device) {}
    ~RiffWaveWriter();
    RiffWaveWriter(const RiffWaveWriter&) = delete;
    RiffWaveWriter& operator=(const RiffWaveWriter&) = delete;

    void setFormat(const WaveFormat& format) { format_ = format; }
    const WaveFormat& format() const { return format_; }
    void append(const QByteArray& block);
    // Completes the RIFF and data sizes; runs at most once.
    void finish();

private:
    QIODevice& device_;
    WaveFormat format_;
    bool started_ = false;
    bool finished_ = false;
    qint64 start_ = 0;
    qint64 sizesAt_ = 0;
    qint64 dataSize_ = 0;
};

// A read view of the data chunk.
class DataStream {
public:
    DataStream(QIODevice& device, qint64 offset, qint64 size)
        : device_(device), offset_(offset), size_(size) {}
    qint64 size() const { return size_; }
    qint64 position() const { return position_; }
    qint64 remaining() const { return size_ - position_; }
    QByteArray read(qint64 count);

private:
    QIODevice& device_;
    qint64 offset_;
    qint64 size_;
    qint64 position_ = 0;
};

// Parses a RIFF WAVE header; throws "Invalid file format." for anything it refuses.
class RiffWaveReader {
public:
    explicit RiffWaveReader(QIODevice& device);

    const WaveFormat& format() const { return format_; }
    qint64 dataOffset() const { return dataOffset_; }
    qint64 dataSize() const { return dataSize_; }
    DataStream dataStream() const { return {device_, dataOffset_, dataSize_}; }

private:
    QIODevice& device_;
    WaveFormat format_;
    qint64 dataOffset_ = 0;
    qint64 dataSize_ = 0;
};

} // namespace audio
