#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class QSaveFile;
struct soxr;

// A wave file that speech is written into: RIFF, PCM, 32 000 samples per second, 8 bits, mono.
// The file appears under its name only when close() succeeds; a cancelled or failed stream
// leaves whatever stood there before.
class WaveFileStream {
public:
    static constexpr int k32kHz8BitMono = 28;
    static constexpr int kSampleRate = 32000;

    WaveFileStream();
    ~WaveFileStream();
    WaveFileStream(const WaveFileStream&) = delete;
    WaveFileStream& operator=(const WaveFileStream&) = delete;

    // Only the 32 kHz, 8-bit, mono type is offered.
    void setFormatType(int type);
    int formatType() const { return formatType_; }

    // Creates the file, or replaces an existing one on close. Throws UserError.
    void open(const QString& fileName);
    bool isOpen() const { return file_ != nullptr; }

    // 16-bit mono samples at sourceRate; converted to the file's rate and width.
    // Called by one writer at a time; errors are kept for close().
    void write(const std::int16_t* samples, std::size_t count, int sourceRate);

    // Completes the sizes and puts the file in place. Throws UserError.
    void close();
    // Drops the file being written.
    void cancel();

    std::int64_t sampleCount() const { return dataBytes_; }

private:
    void resetResampler();
    void writeBytes(const char* data, std::int64_t size);
    void convertAndWrite(const float* samples, std::size_t count);

    int formatType_ = k32kHz8BitMono;
    std::unique_ptr<QSaveFile> file_;
    soxr* resampler_ = nullptr;
    int sourceRate_ = 0;
    std::int64_t dataBytes_ = 0;
    QString error_;
};
