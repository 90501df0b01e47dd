#include "WaveFileStream.h"

#include "platform/ErrorGuard.h"

#include <QSaveFile>
#include <QtEndian>

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int kHeaderSize = 44;

QByteArray header(std::uint32_t dataBytes) {
    const std::uint32_t padded = dataBytes + (dataBytes & 1u);
    QByteArray bytes(kHeaderSize, '\0');
    char* p = bytes.data();
    const auto u32 = [&](int at, std::uint32_t v) { qToLittleEndian(v, p + at); };
    const auto u16 = [&](int at, std::uint16_t v) { qToLittleEndian(v, p + at); };
    memcpy(p, "RIFF", 4);
    u32(4, 36 + padded);
    memcpy(p + 8, "WAVEfmt ", 8);
    u32(16, 16);
    u16(20, 1); // PCM
    u16(22, 1); // mono
    u32(24, WaveFileStream::kSampleRate);
    u32(28, WaveFileStream::kSampleRate); // one byte a sample
    u16(32, 1);
    u16(34, 8);
    memcpy(p + 36, "data", 4);
    u32(40, dataBytes);
    return bytes;
}

} // namespace

WaveFileStream::WaveFileStream() = default;

WaveFileStream::~WaveFileStream() {
    cancel();
}

void WaveFileStream::setFormatType(int type) {
    if (type != k32kHz8BitMono)
        throw UserError(QStringLiteral("不支持的音频格式：%1").arg(type));
    formatType_ = type;
}

void WaveFileStream::open(const QString& fileName) {
    cancel();
    auto file = std::make_unique<QSaveFile>(fileName);
    if (!file->open(QIODevice::WriteOnly))
        throw UserError(QStringLiteral("无法创建文件 %1：%2").arg(fileName, file->errorString()));
    file_ = std::move(file);
    dataBytes_ = 0;
    error_.clear();
    const QByteArray head = header(0);
    writeBytes(head.constData(), head.size());
}

void WaveFileStream::resetResampler() {
    if (resampler_)
        soxr_delete(resampler_);
    resampler_ = nullptr;
    sourceRate_ = 0;
}

void WaveFileStream::write(const std::int16_t* samples, std::size_t count, int sourceRate) {
    if (!file_ || !error_.isEmpty() || count == 0)
        return;
    if (sourceRate != sourceRate_) {
        resetResampler();
        soxr_error_t error = nullptr;
        const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        resampler_ = soxr_create(sourceRate, kSampleRate, 1, &error, &io, &quality, nullptr);
        if (error) {
            resampler_ = nullptr;
            error_ = QString::fromUtf8(error);
            return;
        }
        sourceRate_ = sourceRate;
    }
    std::vector<float> out(count * kSampleRate / std::max(sourceRate, 1) + 64);
    std::size_t done = 0;
    soxr_process(resampler_, samples, count, nullptr, out.data(), out.size(), &done);
    convertAndWrite(out.data(), done);
}

void WaveFileStream::convertAndWrite(const float* samples, std::size_t count) {
    std::vector<char> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const long v = std::lround(samples[i] * 128.0f) + 128;
        bytes[i] = static_cast<char>(static_cast<unsigned char>(std::clamp(v, 0L, 255L)));
    }
    writeBytes(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    dataBytes_ += static_cast<std::int64_t>(count);
}

void WaveFileStream::writeBytes(const char* data, std::int64_t size) {
    if (size > 0 && file_->write(data, size) != size && error_.isEmpty())
        error_ = file_->errorString();
}

void WaveFileStream::close() {
    if (!file_)
        return;
    if (resampler_ && error_.isEmpty()) {
        // Drain what the resampler still holds.
        std::vector<float> out(4096);
        for (;;) {
            std::size_t done = 0;
            soxr_process(resampler_, nullptr, 0, nullptr, out.data(), out.size(), &done);
            if (done == 0)
                break;
            convertAndWrite(out.data(), done);
        }
    }
    resetResampler();
    if (error_.isEmpty() && (dataBytes_ & 1))
        writeBytes("\x80", 1);
    if (error_.isEmpty() && dataBytes_ > 0xFFFFFFFFLL - kHeaderSize)
        error_ = QStringLiteral("音频文件过大。");
    if (error_.isEmpty()) {
        const QByteArray head = header(static_cast<std::uint32_t>(dataBytes_));
        if (!file_->seek(0))
            error_ = file_->errorString();
        else
            writeBytes(head.constData(), head.size());
    }
    const QString name = file_->fileName();
    if (error_.isEmpty() && !file_->commit())
        error_ = file_->errorString();
    const QString error = error_;
    file_.reset();
    if (!error.isEmpty())
        throw UserError(QStringLiteral("无法写入文件 %1：%2").arg(name, error));
}

void WaveFileStream::cancel() {
    resetResampler();
    if (file_)
        file_->cancelWriting();
    file_.reset();
}
